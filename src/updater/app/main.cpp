// The updater program. With a display it opens its window; "--headless" runs
// it without one, printing the dialog's notices to standard output, one line
// each:
//   range <number of lines>
//   step <manifest line, as UTF-8>
//   done <completion code>
// Message boxes go to standard error. Exit status: 0 when every file arrived
// and the host was restarted, 1 when the run stopped at a failed file, 2 when
// no manifest could be fetched, 3 when every file arrived but the host could
// not be started.
#include <cstdio>
#include <cstring>

#include "delivery/headless_event_loop.h"
#include "delivery/reload_wait.h"
#include "delivery/service_hosts.h"
#include "platform/codepage.h"
#include "updater/app/console_message_boxes.h"
#include "updater/host_restart.h"
#include "updater/update_engine.h"
#include "updater/working_folder.h"
#ifdef VANTO_WINDOWED
#include "shell/ui/display_available.h"
#include "updater/ui/windowed_update.h"
#endif

namespace {

using namespace vanto;

void PrintNotice(int code, std::int64_t value, std::string_view line) {
  switch (code) {
    case delivery::ID_DOWNLOAD_RANGE:
      std::printf("range %lld\n", static_cast<long long>(value));
      break;
    case delivery::ID_DOWNLOAD_STEP:
      std::printf("step %s\n", platform::GbkToUtf8(line).c_str());
      break;
    case delivery::ID_DOWNLOAD_DONE:
      std::printf("done %lld\n", static_cast<long long>(value));
      break;
  }
  std::fflush(stdout);
}

int RunHeadless() {
  const std::string folder = updater::EnterWorkingFolder();
  const delivery::ServiceHosts hosts = delivery::LoadServiceHosts(folder);

  delivery::HeadlessEventLoop loop;
  delivery::SystemProcessControl processes;
  updater::ConsoleMessageBoxes messages;
  delivery::ReloadWait dialog(loop, PrintNotice);
  updater::UpdateEngine engine(hosts.update, folder, loop, processes, messages, dialog, "Update");
  // Without a manifest the dialog would stay open until closed; headless,
  // that is the end.
  if (!engine.UpdateMain()) return 2;
  const std::int64_t result = dialog.RunModal();
  engine.JoinWorker();
  if (result != updater::kUpdateComplete) return 1;
  if (!updater::RestartHost(folder, processes)) {
    messages.Show("Update", updater::kRestartFailedMessage);
    return 3;
  }
  return 0;
}

}  // namespace

// The host starts the updater without parameters: the window opens.
int main(int argc, char** argv) {
  bool headless = false;
  for (int i = 1; i < argc; ++i) headless = headless || std::strcmp(argv[i], "--headless") == 0;
  if (headless) return RunHeadless();
#ifdef VANTO_WINDOWED
  if (DisplayAvailable()) return updater::RunWindowedUpdate(argc, argv);
  std::fprintf(stderr, "Update: no display is available; use \"Update --headless\"\n");
  return updater::kNoDisplay;
#else
  std::fprintf(stderr, "Update: this build has no window; running headless\n");
  return RunHeadless();
#endif
}
