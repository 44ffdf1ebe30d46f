#include "delivery/directories.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host_path.h"
#include "platform/codepage.h"
#include "temp_folder.h"

namespace vanto::delivery {
namespace {

using vanto::testing::HostPath;
using vanto::testing::TempFolder;

TEST(CreateParentDirectories, CreatesEveryFolderButNotTheFileName) {
  TempFolder folder;
  EXPECT_TRUE(CreateParentDirectories(HostPath(folder, "x\\y\\z.swf")));
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("x/y")));
  EXPECT_FALSE(folder.Exists("x/y/z.swf"));
  EXPECT_TRUE(CreateParentDirectories(HostPath(folder, "x\\y\\z.swf")))
      << "existing folders are fine";
}

TEST(CreateParentDirectories, SlashIsNotASeparator) {
  TempFolder folder;
  EXPECT_TRUE(CreateParentDirectories(HostPath(folder) + "\\a/b.txt"));
  EXPECT_FALSE(folder.Exists("a"));
}

TEST(CreateParentDirectories, PathWithoutBackslashCreatesNothing) {
  EXPECT_TRUE(CreateParentDirectories("plain-file-name.swf"));
  EXPECT_FALSE(std::filesystem::exists("plain-file-name.swf"));
}

TEST(CreateParentDirectories, GbkFolderNamesBecomeUtf8OnDisk) {
  TempFolder folder;
  const std::string gbk_name = platform::Utf8ToGbk("字");
  EXPECT_TRUE(CreateParentDirectories(HostPath(folder) + "\\" + gbk_name + "\\a.mp3"));
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("字")));
}

TEST(CreateParentDirectories, StopsAtAFolderItCannotCreate) {
  TempFolder folder;
  folder.Write("file", "not a folder");
  EXPECT_FALSE(CreateParentDirectories(HostPath(folder, "file\\sub\\a.txt")));
  EXPECT_FALSE(CreateParentDirectories(HostPath(folder, "x\\" + std::string(300, 'n') + "\\a")));
  EXPECT_FALSE(folder.Exists("x")) << "an over-long path is refused before anything is made";
}

}  // namespace
}  // namespace vanto::delivery
