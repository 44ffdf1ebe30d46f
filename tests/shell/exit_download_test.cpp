// The close sequence with the real download worker: the exit popup ended by
// a "#close" link while its download still runs.
#include <gtest/gtest.h>

#include "service_host_fixture.h"

namespace {

// Shows the popup until its download has begun, then follows a "#close" link.
class ClosingLinkRunner : public PopupRunner, private SilentPopupView {
 public:
  explicit ClosingLinkRunner(vanto::delivery::UiDispatcher& ui) : ui_(ui) {}
  int RunPopup(CWebDlg& popup) override {
    popup.OnInitDialog(*this);
    ui_.RunUntil([&] { return popup.progress_position() > 0; });
    popup.OnBeforeNavigate("http://notices/popup.php#close");
    return 0;
  }

 private:
  vanto::delivery::UiDispatcher& ui_;
};

class ExitDownloadTest : public service_test::ServiceHostTest {};

TEST_F(ExitDownloadTest, ClosingLinkDuringTheDownloadKeepsProgressAndEndsCleanly) {
  ClosingLinkRunner runner(loop());
  MakeDialog(service.BaseUrl(), &runner);
  host_test::WriteFile("list.txt", host_test::CourseList(120));
  host_test::WriteFile("Vanto.ini", "[study]\r\nday=3\r\n");
  ASSERT_TRUE(dlg->study().Load("Vanto.ini"));
  dlg->study().day = 4;  // progress made in this run
  dlg->OnClose();
  EXPECT_TRUE(recorder.Has("Window end 0"));
  dlg.reset();  // waits for the worker, whose notices must not reach the popup
  EXPECT_NE(host_test::ReadFile("Vanto.ini").find("day=4"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists("list.dat"));
  EXPECT_TRUE(std::filesystem::exists("tp/35.swf"));  // the next day's download went on
}

}  // namespace
