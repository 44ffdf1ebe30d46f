// Stale temporary files are removed at start; those a live writer may own stay.
#include "platform/temporary_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/native_path.h"
#include "temp_folder.h"

using namespace vanto::platform;
using vanto::testing::TempFolder;

TEST(TemporaryFiles, OnlyStaleFilesOfOurNamingAreRemoved) {
  TempFolder dir;
  std::filesystem::create_directories(dir.path() / "ss" / "deep");
  const std::string gone = "2147483646";  // no process has this id
  const std::string alive = std::to_string(::getppid());
  const std::vector<std::string> stale = {
      ".vanto-part-" + gone + "-0-123", "ss/deep/.tmp." + gone + ".aB3xYz", ".tmp.Xy12ab",
      ".tmp." + alive + ".old123", "ss/not-listed-any-more.mp3.unverified"};
  const std::vector<std::string> kept = {".vanto-part-" + alive + "-1-9",
                                         ".tmp." + alive + ".qQ",
                                         "ss/1.mp3",
                                         "tmp.1",
                                         ".vanto-partial",
                                         "ss/.tmpfile",
                                         "unverified"};
  for (const auto& name : stale) dir.Write(name, "x");
  for (const auto& name : kept) dir.Write(name, "x");
  // Untouched for an hour: no live writer keeps a file that still.
  const auto hour_ago = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  for (const std::string& name : {std::string(".tmp.Xy12ab"), ".tmp." + alive + ".old123"}) {
    std::filesystem::last_write_time(dir.path() / name, hour_ago);
  }
  std::filesystem::create_symlink(dir.path() / "ss", dir.path() / ".tmp.1.link");

  EXPECT_EQ(RemoveStaleTemporaryFiles(NativeToHostPath(dir.path().string())), 5);
  for (const auto& name : stale) EXPECT_FALSE(std::filesystem::exists(dir.path() / name)) << name;
  for (const auto& name : kept) EXPECT_TRUE(std::filesystem::exists(dir.path() / name)) << name;
  EXPECT_TRUE(std::filesystem::exists(dir.path() / ".tmp.1.link"));
}

TEST(TemporaryFiles, TemplateCarriesTheProcessId) {
  EXPECT_EQ(TemporaryFileTemplate("/x"), "/x/.tmp." + std::to_string(::getpid()) + ".XXXXXX");
}
