// What learners share stays each learner's own: the content check and a
// download replace a shared file by a new one in one learner's folder and
// leave the other learner's file as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "delivery/file_digest.h"
#include "delivery/md5.h"
#include "delivery/url_download.h"
#include "learners/course_sharing.h"
#include "platform/native_path.h"
#include "temp_folder.h"
#include "test_http_server.h"

using vanto::testing::TempFolder;

namespace {

namespace fs = std::filesystem;

TEST(SharedCourseFilesTest, DownloadIntoOneLearnerNeverChangesTheOther) {
  TempFolder temp;
  fs::create_directories(temp.path() / "1" / "gs1");
  fs::create_directories(temp.path() / "2");
  fs::create_directories(temp.path() / "served" / "gs1");
  temp.Write("1/gs1/1.mp3", "the first learner's story");
  temp.Write("served/gs1/1.mp3", "a newer story");
  ASSERT_EQ(vanto::learners::ShareCourseFiles(temp.path() / "1", temp.path() / "2").files, 1u);

  const std::string second = vanto::platform::NativeToHostPath(temp.File("2/gs1/1.mp3"));
  const std::string stamp = "2026-01-01 00:00:00|" + vanto::delivery::Md5Hex("a newer story", 13);
  ASSERT_TRUE(vanto::delivery::EntryNeedsDownload(stamp.c_str(), second));
  vanto::testing::TestHttpServer server;
  server.ServeFolder(temp.File("served"));
  server.Start();
  ASSERT_TRUE(vanto::delivery::DownloadUrlToFile(server.Url("/gs1/1.mp3"), second));

  EXPECT_EQ(temp.Read("2/gs1/1.mp3"), "a newer story");
  EXPECT_EQ(temp.Read("1/gs1/1.mp3"), "the first learner's story");
  EXPECT_EQ(fs::hard_link_count(temp.path() / "1" / "gs1" / "1.mp3"), 1u);
}

}  // namespace
