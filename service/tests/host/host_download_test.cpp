// The course host's own download code against the service: every entry of a
// manifest is fetched the way the host's download worker fetches it, and its
// stamp then passes the host's digest check.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "delivery/directories.h"
#include "delivery/file_digest.h"
#include "delivery/url_download.h"
#include "running_service.h"
#include "temp_folder.h"

namespace vanto::service {
namespace {

std::string HostPath(const std::filesystem::path& folder, std::string relative) {
  for (char& c : relative)
    if (c == '/') c = '\\';
  return folder.string() + "\\" + relative;
}

class HostDownloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree_.Write("list.txt",
                "\xE4\xBA\xBA\tren\t\xE4\xBA\xBA\xE4\xBB\xAC\t\xE4\xBA\xBA\xE4\xBB\xAC\n"
                "\xE5\xA4\xA7\tda\t\xE5\xA4\xA7\xE5\xAE\xB6\t\xE5\xA4\xA7\xE5\xAE\xB6\n");
    tree_.Write("Vanto.swf", "FWS-movie");
    tree_.Write("bh/0.swf", "bh0");
    tree_.Write("null.mp3", "");
    for (int part = 0; part < 25; ++part)
      tree_.Write("gs0/" + std::to_string(part) + ".swf", "part");
    service_ = std::make_unique<test::RunningService>(tree_.path(), data_.path());
    ASSERT_TRUE(service_->started());
    base_ = service_->base();
  }

  vanto::testing::TempFolder tree_, data_, local_;
  std::unique_ptr<test::RunningService> service_;
  std::string base_;
};

TEST_F(HostDownloadTest, EveryManifestEntryPassesTheHostsDigestCheck) {
  const std::string manifest = HostPath(local_.path(), "down.list");
  ASSERT_TRUE(delivery::DownloadUrlToFile(base_ + "/v2.php?day=0&from=0&to=12&ver=20120610&qudao=",
                                          manifest));
  std::ifstream in(local_.path() / "down.list", std::ios::binary);
  int entries = 0;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ASSERT_FALSE(line.empty());
    ASSERT_NE(line[0], '#');
    size_t tab = line.find('\t');
    const std::string path = line.substr(0, tab);
    const std::string local = HostPath(local_.path(), path);
    const char* stamp = tab == std::string::npos ? nullptr : line.c_str() + tab + 1;
    EXPECT_TRUE(delivery::EntryNeedsDownload(stamp, local)) << path;
    ASSERT_TRUE(delivery::CreateParentDirectories(local));
    ASSERT_TRUE(delivery::DownloadUrlToFile(base_ + "/v2/" + path + "?rand=77", local)) << path;
    EXPECT_FALSE(delivery::EntryNeedsDownload(stamp, local)) << path;
    ++entries;
  }
  // list.txt, Vanto.swf, null.mp3, 2 x (3 sounds, bh where present, picture), story 0
  EXPECT_EQ(entries, 3 + 2 * 4 + 1 + 25);
  std::ifstream picture(local_.path() / "pz" / "1.jpg", std::ios::binary);
  EXPECT_EQ(picture.get(), 0xFF);
}

TEST_F(HostDownloadTest, AccountRepliesAndErrorsReachTheHostAsTheyShould) {
  const std::string reply = HostPath(local_.path(), "Vanto.inf");
  ASSERT_TRUE(
      delivery::DownloadUrlToFile(base_ + "/v2/vtuser.php?uid=12&ppt=3&qudao=&rand=-5", reply));
  std::ifstream in(local_.path() / "Vanto.inf");
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("[mofa]"), std::string::npos);
  // Refusals are HTTP errors, which the host's download reports as failures.
  EXPECT_FALSE(
      delivery::DownloadUrlToFile(base_ + "/v2/vtuser.php?uid=12&ppt=4&qudao=&rand=1", reply));
  EXPECT_FALSE(
      delivery::DownloadUrlToFile(base_ + "/v2.php?bogus", HostPath(local_.path(), "down.list")));
  EXPECT_FALSE(delivery::DownloadUrlToFile(base_ + "/v2/../secret", HostPath(local_.path(), "x")));
}

}  // namespace
}  // namespace vanto::service
