#include "updater/ui/windowed_update.h"

#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>

#include <cstdio>
#include <cstdlib>

#include "delivery/process_control.h"
#include "delivery/service_hosts.h"
#include "shell/ui/app_icon.h"
#include "shell/ui/wx_message_boxes.h"
#include "shell/ui/wx_ui_dispatcher.h"
#include "updater/host_restart.h"
#include "updater/ui/load_dialog.h"
#include "updater/update_engine.h"
#include "updater/working_folder.h"

extern const unsigned char update_icon_icon_16_png[], update_icon_icon_32_png[],
    update_icon_icon_48_png[], update_icon_icon_128_png[];
extern const unsigned update_icon_icon_16_png_size, update_icon_icon_32_png_size,
    update_icon_icon_48_png_size, update_icon_icon_128_png_size;

namespace vanto::updater {
namespace {

wxIconBundle UpdaterIcons() {
  return IconBundleFromPngs({{update_icon_icon_16_png, update_icon_icon_16_png_size},
                             {update_icon_icon_32_png, update_icon_icon_32_png_size},
                             {update_icon_icon_48_png, update_icon_icon_48_png_size},
                             {update_icon_icon_128_png, update_icon_icon_128_png_size}});
}

// Shows the window, runs the update from it and returns the window's result.
int RunDialog(const std::string& folder) {
  const delivery::ServiceHosts hosts = delivery::LoadServiceHosts(folder);
  WxUiDispatcher ui;
  delivery::SystemProcessControl processes;
  UpdateEngine* engine = nullptr;
  auto* dialog = new CLoadDlg(UpdaterIcons(), [&engine] { engine->UpdateMain(); });
  wxTheApp->SetTopWindow(dialog);
  WxMessageBoxes messages(dialog);
  UpdateEngine run(hosts.update, folder, ui, processes, messages, *dialog, "Update");
  engine = &run;
  const int result = dialog->ShowModal();
  // The worker is still running only when the user closed the window (after
  // a done notice it is merely finishing).
  if (result == kUpdateClosed && run.worker_running()) {
    // Closed during the download: the program ends at once, as the window
    // did; every file not yet replaced is left as it was.
    std::fflush(nullptr);
    std::_Exit(result);
  }
  run.JoinWorker();
  int status = result == kUpdateComplete ? 0 : result == kUpdateFailed ? 1 : 2;
  if (status == 0 && !RestartHost(folder, processes)) {
    dialog->Show();  // the message stands over the window, not alone in a corner
    messages.Show("Update", kRestartFailedMessage);
    status = 3;
  }
  dialog->Destroy();
  return status;
}

}  // namespace

int RunWindowedUpdate(int argc, char** argv) {
  const std::string folder = EnterWorkingFolder();
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv)) {
    // The toolkit cannot be cleaned up without its display; the process ends.
    std::fprintf(stderr, "Update: no display could be opened; use \"Update --headless\"\n");
    return kNoDisplay;
  }
  wxTheApp->SetAppName("Update");
  wxInitAllImageHandlers();
  const int status = RunDialog(folder);
  wxEntryCleanup();
  return status;
}

}  // namespace vanto::updater
