// "Update --headless" run as a program against a local update service.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "delivery/delivery_fakes.h"

namespace vanto::testing {
namespace {

std::string RunProgram(const std::string& command, int* status) {
  std::string output;
  FILE* pipe = ::popen(command.c_str(), "r");
  char buffer[512];
  while (pipe && std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
  const int result = pipe ? ::pclose(pipe) : -1;
  *status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
  return output;
}

TEST(HeadlessUpdate, UpdatesTheInstallationAndRestartsTheHost) {
  ContentHost service;
  TempFolder install;
  const std::string base = service.server.BaseUrl();
  install.Write("service.ini", "[hosts]\nupdate0=" + base + "\nupdate1=" + base +
                                   "\nupdate2=" + base + "\nupdate3=" + base + "\n");
  install.Write("data/old.txt", "old");
  // The host stand-in notes how and where it was started.
  install.Write("Vanto.ex_", "#!/bin/sh\necho \"$1 $(pwd)\" > restarted.txt\n");
  service.files.Write("update/data/old.txt", "new");
  service.files.Write("update/Vanto.ex_", install.Read("Vanto.ex_"));
  service.SetManifest("data/old.txt\nVanto.ex_\t\texe\n");
  std::filesystem::create_directories(install.File("update"));
  std::filesystem::copy_file(VANTO_UPDATE_PROGRAM, install.File("update/Update"));

  int status = -1;
  const std::string output = RunProgram(install.File("update/Update") + " --headless", &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(output, "range 2\nstep data/old.txt\nstep Vanto.ex_\t\texe\ndone 1\n");
  EXPECT_EQ(install.Read("data/old.txt"), "new");
  for (int i = 0; i < 200 && !install.Exists("restarted.txt"); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  EXPECT_EQ(install.Read("restarted.txt"), "/updated " + install.path().string() + "\n");
}

TEST(HeadlessUpdate, HostThatCannotBeStartedIsAFailure) {
  ContentHost service;
  TempFolder install;  // holds no host program
  install.Write("data/.vanto-part-2147483646-0-7", "left by a killed run");
  const std::string base = service.server.BaseUrl();
  install.Write("service.ini", "[hosts]\nupdate0=" + base + "\nupdate1=" + base + "\n");
  service.files.Write("update/a.txt", "a");
  service.SetManifest("a.txt\n");
  std::filesystem::copy_file(VANTO_UPDATE_PROGRAM, install.File("Update"));
  int status = -1;
  const std::string output = RunProgram(install.File("Update") + " --headless 2>&1", &status);
  EXPECT_EQ(status, 3);
  EXPECT_FALSE(install.Exists("data/.vanto-part-2147483646-0-7"));
  EXPECT_NE(output.find("done 1\nUpdate: VantoPelko could not be restarted.\n"), std::string::npos)
      << output;
}

TEST(HeadlessUpdate, FailedDownloadEndsWithoutRestart) {
  ContentHost service;
  TempFolder install;
  const std::string base = service.server.BaseUrl();
  install.Write("service.ini", "[hosts]\nupdate0=" + base + "\nupdate1=" + base + "\n");
  service.SetManifest("missing.txt\n");
  std::filesystem::copy_file(VANTO_UPDATE_PROGRAM, install.File("Update"));
  int status = -1;
  const std::string output = RunProgram(install.File("Update") + " --headless 2>&1", &status);
  EXPECT_EQ(status, 1);
  EXPECT_NE(output.find("Update: Download Failed.\n"), std::string::npos) << output;
  EXPECT_NE(output.find("done 0\n"), std::string::npos);
}

}  // namespace
}  // namespace vanto::testing
