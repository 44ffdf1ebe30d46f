#include "delivery/directories.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/codepage.h"
#include "scratch_folder.h"

namespace vanto::delivery {
namespace {

using vanto::testing::ScratchFolder;

TEST(CreateParentDirectories, CreatesEveryFolderButNotTheFileName) {
  ScratchFolder folder;
  EXPECT_TRUE(CreateParentDirectories(folder.Host("x\\y\\z.swf")));
  EXPECT_TRUE(std::filesystem::is_directory(folder.Native("x/y")));
  EXPECT_FALSE(folder.Exists("x/y/z.swf"));
  EXPECT_TRUE(CreateParentDirectories(folder.Host("x\\y\\z.swf"))) << "existing folders are fine";
}

TEST(CreateParentDirectories, SlashIsNotASeparator) {
  ScratchFolder folder;
  EXPECT_TRUE(CreateParentDirectories(folder.Host() + "\\a/b.txt"));
  EXPECT_FALSE(folder.Exists("a"));
}

TEST(CreateParentDirectories, PathWithoutBackslashCreatesNothing) {
  EXPECT_TRUE(CreateParentDirectories("plain-file-name.swf"));
  EXPECT_FALSE(std::filesystem::exists("plain-file-name.swf"));
}

TEST(CreateParentDirectories, GbkFolderNamesBecomeUtf8OnDisk) {
  ScratchFolder folder;
  const std::string gbk_name = platform::Utf8ToGbk("字");
  EXPECT_TRUE(CreateParentDirectories(folder.Host() + "\\" + gbk_name + "\\a.mp3"));
  EXPECT_TRUE(std::filesystem::is_directory(folder.Native("字")));
}

TEST(CreateParentDirectories, StopsAtAFolderItCannotCreate) {
  ScratchFolder folder;
  folder.Write("file", "not a folder");
  EXPECT_FALSE(CreateParentDirectories(folder.Host("file\\sub\\a.txt")));
  EXPECT_FALSE(CreateParentDirectories(folder.Host("x\\" + std::string(300, 'n') + "\\a")));
  EXPECT_FALSE(folder.Exists("x")) << "an over-long path is refused before anything is made";
}

}  // namespace
}  // namespace vanto::delivery
