// The download dialog on a virtual display: notices sent from a worker thread
// reach it through the toolkit's queue while it is modal, and the done notice
// ends it. A screenshot of it lands in the build folder.
#include "shell/ui/reload_dialog.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "delivery/progress_target.h"
#include "shell/ui/wx_ui_dispatcher.h"
#include "virtual_display.h"

using namespace vanto::delivery;

TEST(ReloadDialog, ShowsProgressFromTheWorkerUntilDone) {
  vanto::testing::VirtualDisplay display;
  if (display.name().empty()) GTEST_SKIP() << "Xvfb is not available";
  display.MakeDefault();
  int argc = 1;
  char name[] = "test_ui";
  char* argv[] = {name, nullptr};
  wxApp::SetInstance(new wxApp);
  ASSERT_TRUE(wxEntryStart(argc, argv));
  {
    WxUiDispatcher ui;
    wxFrame* main_window = new wxFrame(nullptr, wxID_ANY, "VantoPelko");
    main_window->Show();
    ReloadDialog dialog(main_window, ui);
    std::thread worker([&] {
      while (true) {
        bool shown = false;
        ui.Invoke([&] { shown = dialog.WindowExists(); });
        if (shown) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
      ui.Invoke([&] { dialog.OnDownloadNotice(ID_DOWNLOAD_RANGE, 3, {}); });
      ui.Invoke([&] { dialog.OnDownloadNotice(ID_DOWNLOAD_STEP, 0, "pz\\12.jpg 2012-06-10"); });
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      EXPECT_TRUE(display.Screenshot(std::filesystem::path(VANTO_SHOTS) / "window-reload.png"));
      ui.Invoke([&] { dialog.OnDownloadNotice(ID_DOWNLOAD_DONE, 0, {}); });
    });
    dialog.DoModal();  // returns at the done notice
    worker.join();
    main_window->Destroy();
  }
  wxEntryCleanup();
}
