// The exit popup's logic: when it ends, what it shows, where it navigates.
#include "shell/popup_window.h"

#include <gtest/gtest.h>

#include "delivery/progress_target.h"
#include "host_fakes.h"

using namespace host_test;
using vanto::delivery::ID_DOWNLOAD_DONE;
using vanto::delivery::ID_DOWNLOAD_RANGE;
using vanto::delivery::ID_DOWNLOAD_STEP;

namespace {

class FakePopupView : public PopupView {
 public:
  explicit FakePopupView(CallLog& r) : r_(r) {}
  void Navigate(const std::string& url) override { r_.Add("Navigate " + url); }
  void Reveal() override { r_.Add("Reveal"); }
  void Hide() override { r_.Add("Hide"); }
  void ShowProgress(int range, int position) override {
    r_.Add("Progress " + std::to_string(range) + " " + std::to_string(position));
  }
  void ShowDownloadDone() override { r_.Add("Done"); }
  void End(int result) override { r_.Add("End " + std::to_string(result)); }

 private:
  CallLog& r_;
};

PopupSettings NoticePages() {
  PopupSettings settings;
  settings.page_host = "http://notices";
  settings.site_host = "http://site";
  return settings;
}

class PopupTest : public ::testing::Test {
 protected:
  PopupTest() : view(log), popup(NoticePages()) {
    popup.OnInitDialog(view);  // no main window: no download starts
  }
  // A download in progress, as after a started fetch.
  void StartDownload() {
    popup.OnDownloadNotice(ID_DOWNLOAD_RANGE, 0x20005, "");
    popup.OnDownloadNotice(ID_DOWNLOAD_STEP, 0, "ss/1.mp3");
  }

  CallLog log;
  FakePopupView view;
  CWebDlg popup;
};

}  // namespace

TEST_F(PopupTest, OpensTheNoticePageAndRevealsOnceForTheTopDocument) {
  EXPECT_EQ(log.calls, (std::vector<std::string>{"Navigate http://notices/popup.php"}));
  popup.OnDocumentComplete(false);
  popup.OnDocumentComplete(true);
  popup.OnDocumentComplete(true);
  EXPECT_EQ(std::count(log.calls.begin(), log.calls.end(), "Reveal"), 1);
  popup.OnNavigateError();
  EXPECT_EQ(log.calls.back(), "Navigate http://site/popup.htm");
  // A failing fallback page is not retried.
  const std::size_t calls = log.calls.size();
  popup.OnNavigateError("http://site/popup.htm");
  EXPECT_EQ(log.calls.size(), calls);
}

TEST_F(PopupTest, CloseLinkMustComeAfterTheFirstCharacter) {
  popup.OnBeforeNavigate("#close");
  EXPECT_FALSE(popup.ended());
  popup.OnBeforeNavigate("http://notices/popup.php#close");
  EXPECT_TRUE(popup.ended());
}

TEST_F(PopupTest, WithoutARunningDownloadTheCloseButtonEndsAtOnce) {
  popup.OnCloseButton();
  EXPECT_TRUE(popup.ended());
  EXPECT_EQ(log.calls.back(), "End 0");
  // The ended window is gone: later notices do not reach it.
  StartDownload();
  EXPECT_EQ(log.calls.back(), "End 0");
}

TEST_F(PopupTest, DoneNoticeAloneKeepsTheWindowOpen) {
  StartDownload();
  popup.OnDownloadNotice(ID_DOWNLOAD_DONE, 0, "");
  EXPECT_EQ(popup.download_done(), 1);
  EXPECT_FALSE(popup.ended());
  EXPECT_EQ(log.calls.back(), "Done");
  EXPECT_EQ(popup.progress_range(), 5);  // low 16 bits of the line count
  EXPECT_EQ(popup.progress_position(), 1);
  popup.OnCloseButton();
  EXPECT_TRUE(popup.ended());
}

TEST_F(PopupTest, CloseDuringTheDownloadHidesUntilDone) {
  StartDownload();
  popup.OnCloseButton();
  EXPECT_FALSE(popup.ended());
  EXPECT_EQ(log.calls.back(), "Hide");
  popup.OnDownloadNotice(ID_DOWNLOAD_DONE, 0, "");
  EXPECT_TRUE(popup.ended());
}
