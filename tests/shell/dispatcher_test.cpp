// The movie command table driven through the main window's logic, with a
// recording screen and a real learner folder.
#include <gtest/gtest.h>

#include "host_fakes.h"
#include "platform/codepage.h"
#include "platform/file_system.h"
#include "shell/vanto_pelko_dlg.h"

using namespace host_test;

namespace {

class DispatcherTest : public ::testing::Test, protected RecordingScreen {
 protected:
  DispatcherTest() {
    WriteFile("list.txt", CourseList(1200));
    services.hosts.account = "http://127.0.0.1:1";  // nothing listens there
    dlg = std::make_unique<CVantoPelkoDlg>(services);
    dlg->SetManifestFetcher(std::make_unique<FakeFetcher>(log));
    dlg->OnInitDialog();
    log.calls.clear();
  }

  void Command(const std::string& name, const std::string& args = "") {
    dlg->OnFSCommand(name, args);
  }

  WorkingFolder folder;
  std::unique_ptr<CVantoPelkoDlg> dlg;
};

}  // namespace

TEST_F(DispatcherTest, QuitMatchesWholeWordInAnyCase) {
  dlg->SetFullScreen(false);  // the movie window, as after the first load
  for (const char* word : {"quit", "QUIT", "Quit"}) {
    log.calls.clear();
    Command(word);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"Stop", "StopPlay", "Movie http://",
                                                   "LoadMovie 0 Vanto.swf", "Loop false",
                                                   "AllowFullScreen true", "Play"}))
        << word;
  }
  log.calls.clear();
  Command("quits");
  EXPECT_TRUE(log.calls.empty());
}

TEST_F(DispatcherTest, MagicCardsCountOnlyValidPositions) {
  Command("addMofa", "9");
  Command("addMofa", "-1");
  EXPECT_EQ(dlg->study().mofa_dirty, 0);
  Command("subMofa", "0");
  EXPECT_EQ(dlg->study().mofa_dirty, 0);
  Command("addMofa", "x");
  EXPECT_EQ(dlg->study().mofa_count[1], 1);
  Command("ADDMOFA", "8");
  EXPECT_EQ(dlg->study().mofa_count[9], 1);
  Command("subMofa", "0");
  EXPECT_EQ(dlg->study().mofa_count[1], 0);
  EXPECT_EQ(dlg->study().mofa_dirty, 1);
}

TEST_F(DispatcherTest, PrefixRulesShadowAndLimitKeywords) {
  // "mouse2" is not "mouse": the 10-byte compare takes in the keyword's end.
  Command("mouse2", "begin");
  EXPECT_FALSE(std::filesystem::exists("hlg/mouse/config_mouse.xml"));
  std::filesystem::create_directories("hlg/mouse");
  Command("mouse", "BEGIN");
  EXPECT_TRUE(std::filesystem::exists("hlg/mouse/config_mouse.xml"));
  // "parentCare" is "parentC": it enters the parents' area, never a login.
  Command("parentCare", "begin");
  EXPECT_EQ(dlg->study().parent_mode, 1);
  Command("kid");
  EXPECT_EQ(dlg->study().parent_mode, 0);
  EXPECT_TRUE(log.Has("Window fullscreen on"));
  // "CookieUserX" is "CookieUser".
  Command("CookieUserX", "a1b2+7");
  EXPECT_EQ(dlg->identity().uid, 12);
  EXPECT_EQ(dlg->identity().ppt, 7);
  for (const char* refused : {"12+0", "0+5", "12"}) {
    Command("CookieUser", refused);
    EXPECT_EQ(dlg->identity().uid, 12) << refused;
    EXPECT_EQ(dlg->identity().ppt, 7) << refused;
  }
}

TEST_F(DispatcherTest, ChaptersAnswersWithVariableThenCallBack) {
  dlg->study().chapter = 3;
  Command("Chapters", "begin");
  EXPECT_EQ(log.calls,
            (std::vector<std::string>{
                "SetVariable chapter 3",
                "CallFunction <invoke "
                "name=\"cbChapter\"><arguments><string>3</string></arguments></invoke>"}));
  log.calls.clear();
  Command("Chapters", "other");
  EXPECT_TRUE(log.calls.empty());
}

TEST_F(DispatcherTest, StudyFinishedOnlyOutsideParentsArea) {
  dlg->study().parent_mode = 1;
  Command("SKSZ", "x");
  EXPECT_EQ(dlg->study().review, 0);
  dlg->study().parent_mode = 0;
  Command("SKSZ", "x");
  EXPECT_EQ(dlg->study().review, 1);
}

TEST_F(DispatcherTest, CepingBeginRewritesOverview) {
  std::filesystem::remove("main.xml");
  std::filesystem::remove("stat.xml");
  std::filesystem::remove("content.xml");
  Command("ceping", "begin");
  EXPECT_TRUE(std::filesystem::exists("main.xml"));
  EXPECT_TRUE(std::filesystem::exists("stat.xml"));
  EXPECT_TRUE(std::filesystem::exists("content.xml"));
}

TEST_F(DispatcherTest, GameMoviesSwitch) {
  Command("game", "begin");
  EXPECT_EQ(log.calls, (std::vector<std::string>{"LoadMovie 0 flashGame.swf", "Loop false",
                                                 "AllowFullScreen true", "Play", "ScaleMode 0"}));
  log.calls.clear();
  Command("game", "quit");
  EXPECT_EQ(log.calls, (std::vector<std::string>{"ScaleMode 0", "Window cover",
                                                 "LoadMovie 0 Kong.swf", "Loop false",
                                                 "AllowFullScreen true", "Play", "Window cover"}));
}

TEST_F(DispatcherTest, DebugEchoShowsEveryCommandButTheMicrophone) {
  dlg->SetDebugMode(true);
  Command("vanto", "hello");
  EXPECT_TRUE(log.Has("MessageBox vanto hello"));
  log.calls.clear();
  Command("microphoneX", "");
  EXPECT_TRUE(log.calls.empty());
}

TEST_F(DispatcherTest, FailedChapterChangeIsReported) {
  Command("currentChapter", "3");
  EXPECT_EQ(dlg->study().chapter, 3);
  EXPECT_TRUE(log.Has("MessageBox Error Failed to change chapter"));
}

TEST_F(DispatcherTest, UnknownCommandsAreIgnored) {
  Command("nothing", "begin");
  Command("", "");
  EXPECT_TRUE(log.calls.empty());
}
