// Runs the exit notice window on its own for the window tests:
//   notice_probe PAGE_HOST SITE_HOST LEARNED [download]
// With "download", a worker thread sends a short download's notices through
// the user-interface dispatcher, as the download worker does. Prints
// "ended <result> page_shown <0|1>" when the window has ended.
#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "delivery/progress_target.h"
#include "shell/ui/notice/notice_window.h"
#include "shell/ui/wx_ui_dispatcher.h"

using namespace vanto::delivery;

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv)) return 3;
  wxInitAllImageHandlers();
  int status = 0;
  {
    WxUiDispatcher ui;
    PopupSettings settings;
    settings.page_host = argv[1];
    settings.site_host = argv[2];
    settings.learned_count = std::atoi(argv[3]);
    CWebDlg popup(settings);
    std::thread worker;
    bool worker_done = true;
    if (argc > 4 && std::strcmp(argv[4], "download") == 0) {
      worker_done = false;
      worker = std::thread([&] {
        const auto notify = [&](int code, int value, const char* line) {
          ui.Invoke([&] { popup.OnDownloadNotice(code, value, line); });
        };
        notify(ID_DOWNLOAD_RANGE, 3, "");
        for (const char* line : {"ss/1.mp3", "ss/2.mp3", "ss/3.mp3"}) {
          std::this_thread::sleep_for(std::chrono::milliseconds(300));
          notify(ID_DOWNLOAD_STEP, 0, line);
        }
        notify(ID_DOWNLOAD_DONE, 1, "");
        ui.Post([&] { worker_done = true; });
      });
    }
    wxIcon icon(wxString::FromUTF8(VANTO_ICON_FILE), wxBITMAP_TYPE_PNG);
    NoticeWindowRunner runner(nullptr, icon);
    status = runner.RunPopup(popup);
    ui.RunUntil([&] { return worker_done; });
    if (worker.joinable()) worker.join();
    std::printf("ended %d page_shown %d\n", status, popup.page_shown());
  }
  wxEntryCleanup();
  return status;
}
