// Character sounds and puzzle pictures made on first request.
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "service/content/content_script.h"
#include "service/content/sound_synth.h"
#include "temp_folder.h"

namespace vanto::service {
namespace {

std::string Head(const std::filesystem::path& file, size_t bytes) {
  std::ifstream in(file, std::ios::binary);
  std::string head(bytes, '\0');
  in.read(head.data(), static_cast<std::streamsize>(bytes));
  head.resize(static_cast<size_t>(in.gcount()));
  return head;
}

class MediaMakerTest : public ::testing::Test {
 protected:
  MediaMakerTest() {
    tree_.Write("list.txt",
                "\xE4\xBA\xBA\tren\t\xE4\xBA\xBA\xE4\xBB\xAC\t\xE4\xBA\xBA\xE4\xBB\xAC\n"
                "\xE5\xA4\xA7\tda\t\xE5\xA4\xA7\xE5\xAE\xB6\t\xE5\xA4\xA7\xE5\xAE\xB6\n");
  }
  vanto::testing::TempFolder tree_;
  ContentScript script_{ContentConfig{tree_.path()}};
};

TEST_F(MediaMakerTest, DrawsAPuzzlePictureAsJpeg) {
  ASSERT_TRUE(script_.Media().EnsurePresent("pz/1.jpg"));
  EXPECT_EQ(Head(tree_.path() / "pz/1.jpg", 3), "\xFF\xD8\xFF");
  EXPECT_GT(std::filesystem::file_size(tree_.path() / "pz/1.jpg"), 2000u);
  EXPECT_FALSE(script_.Media().EnsurePresent("pz/2.jpg"));  // no such character
  EXPECT_TRUE(script_.Media().EnsurePresent("bh/7.swf"));   // not made here: left alone
}

// An installed course is read-only: made pictures go to the media folder,
// while pictures the tree holds itself are still listed and served from it.
TEST_F(MediaMakerTest, KeepsMadeFilesInTheMediaFolderBesideAReadOnlyTree) {
  vanto::testing::TempFolder media;
  tree_.Write("pz/0.jpg", "own picture");
  ContentScript script{ContentConfig{.root = tree_.path(), .media = media.path() / "made"}};
  const std::string manifest = script.Answer("pz=2&from=0").body;
  EXPECT_NE(manifest.find("pz/0.jpg\t"), std::string::npos) << manifest;
  EXPECT_NE(manifest.find("|3c6c8b9fb59367459da8646f6ef4938b"), std::string::npos) << manifest;
  EXPECT_NE(manifest.find("pz/1.jpg\t"), std::string::npos) << manifest;
  EXPECT_EQ(Head(media.path() / "made/pz/1.jpg", 3), "\xFF\xD8\xFF");
  EXPECT_FALSE(std::filesystem::exists(tree_.path() / "pz/1.jpg"));
  EXPECT_FALSE(std::filesystem::exists(media.path() / "made/pz/0.jpg"));
  EXPECT_EQ(script.Media().FolderFor("pz/0.jpg"), tree_.path());
  EXPECT_EQ(script.Media().FolderFor("list.txt"), tree_.path());
}

TEST_F(MediaMakerTest, SpeaksTheThreeSoundsOnceEvenWhenAskedTogether) {
  if (!RunProgram({"espeak-ng", "--version"}) || !RunProgram({"lame", "--version"}))
    GTEST_SKIP() << "espeak-ng or lame missing";
  std::vector<std::thread> askers;
  for (int i = 0; i < 4; ++i) askers.emplace_back([this] { script_.Answer("pday=0&from=0&to=1"); });
  for (auto& asker : askers) asker.join();
  for (const char* name : {"ss/0.mp3", "ss/0w.mp3", "ss/0s.mp3"}) {
    auto file = tree_.path() / name;
    ASSERT_TRUE(std::filesystem::exists(file)) << name;
    auto head = Head(file, 3);
    EXPECT_TRUE(head == "ID3" || static_cast<unsigned char>(head[0]) == 0xFF) << name;
  }
  int leftovers = 0;
  for (auto& entry : std::filesystem::directory_iterator(tree_.path() / "ss"))
    leftovers += entry.path().extension() != ".mp3";
  EXPECT_EQ(leftovers, 0);
}

}  // namespace
}  // namespace vanto::service
