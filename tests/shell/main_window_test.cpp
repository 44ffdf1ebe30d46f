// The main window's notices, movie switching, full screen and close sequence.
#include <gtest/gtest.h>

#include "delivery/progress_target.h"
#include "host_fakes.h"
#include "shell/vanto_pelko_dlg.h"

using namespace host_test;
using vanto::delivery::ID_DOWNLOAD_DONE;
using vanto::delivery::ID_DOWNLOAD_RANGE;
using vanto::delivery::ID_DOWNLOAD_STEP;

namespace {

class RecordingPopups : public PopupRunner {
 public:
  explicit RecordingPopups(CallLog& r) : r_(r) {}
  int RunPopup(CWebDlg& popup) override {
    r_.Add("Popup " + std::to_string(popup.learned_count()) + " " + popup.update_query());
    return 0;
  }

 private:
  CallLog& r_;
};

class MainWindowTest : public ::testing::Test, protected RecordingScreen {
 protected:
  MainWindowTest() : popups(log) {
    WriteFile("list.txt", CourseList(100));
    WriteFile("Vanto.ini", "[study]\r\nday=2\r\nch_day=0\r\n");
    services.popups = &popups;
    services.release_instance = [this] { log.Add("Release instance"); };
    dlg = std::make_unique<CVantoPelkoDlg>(services);
    dlg->SetManifestFetcher(std::make_unique<FakeFetcher>(log));
  }

  WorkingFolder folder;
  RecordingPopups popups;
  std::unique_ptr<CVantoPelkoDlg> dlg;
};

}  // namespace

TEST_F(MainWindowTest, StartAsksForTodaysContentWithChannel) {
  WriteFile("qudao", "shop7\n");
  setenv("VANTO_QUDAO_FILE", (folder.path() / "qudao").c_str(), 1);
  dlg->OnInitDialog();
  unsetenv("VANTO_QUDAO_FILE");
  EXPECT_TRUE(log.Has("Fetch ?day=2&from=12&to=24&ver=20120610&qudao=shop7"));
  EXPECT_EQ(dlg->debug_mode(), 0);
}

TEST_F(MainWindowTest, NoListMeansNoStartQuery) {
  std::filesystem::remove("list.txt");
  WriteFile("debug.ini", "");
  dlg->OnInitDialog();
  EXPECT_EQ(std::count_if(log.calls.begin(), log.calls.end(),
                          [](const std::string& c) { return c.rfind("Fetch", 0) == 0; }),
            0);
  EXPECT_EQ(dlg->debug_mode(), 1);
}

TEST_F(MainWindowTest, NoticesDriveProgressAndTheFirstMovieLoad) {
  dlg->OnInitDialog();
  log.calls.clear();
  dlg->OnDownloadNotice(ID_DOWNLOAD_RANGE, 0x10003, "");
  dlg->OnDownloadNotice(ID_DOWNLOAD_STEP, 0, "ss/1.mp3\t2012");
  EXPECT_EQ(log.calls, (std::vector<std::string>{"Progress 3 0 ", "Progress 3 1 ss/1.mp3\t2012"}));
  log.calls.clear();
  dlg->OnDownloadNotice(ID_DOWNLOAD_DONE, 0, "");
  // The first load turns the loading view (a popup) into the movie window.
  EXPECT_EQ(log.calls,
            (std::vector<std::string>{"Window show movie", "LoadMovie 0 Vanto.swf", "Loop false",
                                      "AllowFullScreen true", "Play", "Window fullscreen off"}));
  EXPECT_EQ(dlg->movie_loaded(), 1);
  // Next day's first character: day 2 in chapter 0 with 6 a day.
  EXPECT_EQ(dlg->puzzle().record().current_index, 18);
  log.calls.clear();
  dlg->OnDownloadNotice(ID_DOWNLOAD_DONE, 2, "");
  EXPECT_EQ(log.calls, (std::vector<std::string>{"Window end 2"}));
}

TEST_F(MainWindowTest, PuzzleIndexOfADayFarBeyondTheCourseIsHeldAtTheLargest) {
  dlg->study().day = 2147483647;
  dlg->LoadMainMovie();
  EXPECT_EQ(dlg->puzzle().record().current_index, 2147483647);
}

TEST_F(MainWindowTest, FullScreenChangesOnlyWhenItMust) {
  dlg->OnEscape();  // before the movie: nothing
  EXPECT_TRUE(log.calls.empty());
  dlg->SetFullScreen(false);  // the loading view is a popup: this makes the movie window
  dlg->SetFullScreen(false);
  dlg->OnMaximised();
  dlg->OnMaximised();
  EXPECT_EQ(log.calls, (std::vector<std::string>{"Window fullscreen off", "Window fullscreen on"}));
  dlg->OnEscape();
  EXPECT_EQ(log.calls.size(), 2u);
  dlg->LoadMainMovie();
  dlg->OnMaximised();
  dlg->OnEscape();
  EXPECT_EQ(log.calls.back(), "Window fullscreen off");
}

TEST_F(MainWindowTest, CloseRunsThePopupOnceThenMinimises) {
  dlg->OnInitDialog();
  log.calls.clear();
  dlg->OnClose();
  EXPECT_EQ(log.calls,
            (std::vector<std::string>{
                "Window hide", "Release instance", "StopPlay", "Stop", "LoadMovie 0 http://",
                "Popup 18 ?day=3&from=18&to=30&ver=20120610&close=1", "Window end 0"}));
  log.calls.clear();
  dlg->OnClose();
  EXPECT_EQ(log.calls, (std::vector<std::string>{"Window minimise"}));
  dlg->OnMaximised();  // no full screen while closing
  EXPECT_EQ(log.calls.size(), 1u);
}
