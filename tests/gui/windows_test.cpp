// The notice window and the updater window on a virtual display, against
// the reference service. Screenshots land in the build folder
// (tests/gui/screenshots) for a person to look at.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <thread>

#include "child_process.h"
#include "files.h"
#include "loopback.h"
#include "temp_folder.h"
#include "virtual_display.h"

namespace fs = std::filesystem;
using namespace vanto::testing;

namespace {

class WindowsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    display_ = new VirtualDisplay;
    display_->MakeDefault();
  }
  static void TearDownTestSuite() {
    delete display_;
    display_ = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(display_->started()) << "Xvfb could not start";
    fs::create_directories(scratch_.path() / "root");
    fs::create_directories(VANTO_SCREENSHOTS);
  }
  void TearDown() override { service_.reset(); }

  // The reference service over scratch/root, its request log in scratch/log.
  void StartService() {
    const int port = FreeLocalPort();
    base_ = "http://127.0.0.1:" + std::to_string(port);
    const std::string command = std::string("exec ") + VANTO_SERVICE_PROGRAM + " --port " +
                                std::to_string(port) + " --root '" +
                                (scratch_.path() / "root").string() + "' --db '" +
                                (scratch_.path() / "accounts.db").string() + "' 2>log";
    service_ = std::make_unique<ChildProcess>("/bin/sh", std::vector<std::string>{"-c", command},
                                              scratch_.path().string());
    for (int i = 0;
         i < 100 && ReadFile(scratch_.path() / "log").find("serving") == std::string::npos; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  std::string ServiceLog() const { return ReadFile(scratch_.path() / "log"); }
  std::string Shot(const std::string& name) const {
    return (fs::path(VANTO_SCREENSHOTS) / name).string();
  }

  static VirtualDisplay* display_;
  TempFolder scratch_{"vanto-gui"};
  std::string base_;
  std::unique_ptr<ChildProcess> service_;
};

VirtualDisplay* WindowsTest::display_ = nullptr;

// The page appears with the header and, once the download is done,
// "(已完成)"; its "#close" link, followed from the keyboard, ends the window.
TEST_F(WindowsTest, NoticeWindowShowsThePageAndItsCloseLinkEndsIt) {
  StartService();
  ChildProcess probe(VANTO_NOTICE_PROBE, {base_, base_, "6", "download"}, scratch_.path().string());
  const std::string corner = display_->WaitForWindow("VantoPelko", 60);
  ASSERT_EQ(corner, "956 440");                          // bottom right of the 1280 x 800 screen
  std::this_thread::sleep_for(std::chrono::seconds(2));  // fade-in and download
  EXPECT_TRUE(display_->Screenshot(Shot("notice-window.png")));
  display_->Run("xdotool mousemove 1100 620 sleep 0.3 key Tab sleep 0.3 key Return");
  std::string output;
  EXPECT_EQ(probe.Finish(30, &output), 0);
  EXPECT_EQ(output, "ended 0 page_shown 1\n");
  EXPECT_NE(ServiceLog().find("GET /popup.php 200"), std::string::npos) << ServiceLog();
}

// A page that fails to load is replaced by the site's fallback page; the
// header drags the window; the close button ends it at once when nothing is
// downloading.
TEST_F(WindowsTest, NoticeWindowFallsBackToTheSitePageAndClosesByItsButton) {
  StartService();
  ChildProcess probe(VANTO_NOTICE_PROBE, {base_ + "/missing", base_, "1206"},
                     scratch_.path().string());
  ASSERT_EQ(display_->WaitForWindow("VantoPelko", 60), "956 440");
  EXPECT_NE(ServiceLog().find("GET /popup.htm 200"), std::string::npos) << ServiceLog();
  std::this_thread::sleep_for(std::chrono::seconds(1));
  EXPECT_TRUE(display_->Screenshot(Shot("notice-window-fallback.png")));
  // Dragged by its header, then closed where it now is.
  display_->Run(
      "xdotool mousemove 1000 480 mousedown 1 sleep 0.2 mousemove 900 400 sleep 0.2 "
      "mouseup 1");
  EXPECT_EQ(display_->WaitForWindow("VantoPelko", 5), "856 360");
  display_->Run("xdotool mousemove 1156 370 click 1");
  std::string output;
  EXPECT_EQ(probe.Finish(30, &output), 0);
  EXPECT_EQ(output, "ended 0 page_shown 1\n");
}

// With no page anywhere the window still appears (after its time-out), so
// that the user can close it.
TEST_F(WindowsTest, NoticeWindowAppearsWithoutAnyPage) {
  const std::string nowhere = "http://127.0.0.1:" + std::to_string(FreeLocalPort());
  ChildProcess probe(VANTO_NOTICE_PROBE, {nowhere, nowhere, "0"}, scratch_.path().string());
  ASSERT_EQ(display_->WaitForWindow("VantoPelko", 60), "956 440");
  display_->Run("xdotool mousemove 1256 450 click 1");
  std::string output;
  EXPECT_EQ(probe.Finish(30, &output), 0);
  EXPECT_EQ(output, "ended 0 page_shown 1\n");
}

// An installation is brought up to date in three runs: the first cannot
// start the host afterwards (the update ships none), the second stops at a
// file that cannot be fetched ("Download Failed.", nothing restarted), the
// third completes and restarts the host with "/updated".
TEST_F(WindowsTest, UpdateWindowUpdatesTheInstallationAndRestartsTheHost) {
  const fs::path update = scratch_.path() / "root" / "update";
  WriteFile(update / "VERSION", "20990101\n");
  WriteFile(update / "data" / "a.txt", "new");
  StartService();
  const fs::path install = scratch_.path() / "install";
  WriteFile(install / "service.ini",
            "[hosts]\nupdate0=" + base_ + "\nupdate1=" + base_ + "\nupdate2=" + base_ + "\n");
  WriteFile(install / "data" / "a.txt", "old");
  fs::create_directories(install / "update");
  fs::copy_file(VANTO_UPDATE_PROGRAM, install / "update" / "Update");
  const std::string program = (install / "update" / "Update").string();
  // Runs the updater until its message box, answers it and returns the exit.
  const auto run_to_message = [&](const std::string& screenshot) {
    ChildProcess updater(program, {}, install.string());
    if (display_->WaitForWindow("Update", 30).empty()) return -2;
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_TRUE(display_->Screenshot(Shot(screenshot)));
    display_->Run("xdotool key Return");
    return updater.Finish(30, nullptr);
  };

  EXPECT_EQ(run_to_message("update-window-restart-failed.png"),
            3);  // "VantoPelko could not be restarted."
  EXPECT_EQ(ReadFile(install / "data" / "a.txt"), "new");

  WriteFile(update / "Vanto.ex_", "#!/bin/sh\necho \"$1 $(pwd)\" > restarted.txt\n");
  // The URL of a name with '#' ends at the '#': the service cannot serve it.
  WriteFile(update / "data" / "z#.txt", "unreachable");
  EXPECT_EQ(run_to_message("update-window-failed.png"), 1);
  EXPECT_FALSE(fs::exists(install / "restarted.txt"));

  fs::remove(update / "data" / "z#.txt");
  ChildProcess complete(program, {}, install.string());
  EXPECT_EQ(complete.Finish(60, nullptr), 0);
  for (int i = 0; i < 100 && !fs::exists(install / "restarted.txt"); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(ReadFile(install / "restarted.txt"), "/updated " + install.string() + "\n");
}

}  // namespace
