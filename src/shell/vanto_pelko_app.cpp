#include "shell/vanto_pelko_app.h"

#include "delivery/update_flag.h"
#include "platform/file_system.h"

CVantoPelkoApp::CVantoPelkoApp() : instance_event_("VantoPelkoEvent") {}

int CVantoPelkoApp::InitInstance(const std::vector<std::string>& arguments,
                                 MainWindowRunner run_main_window, void* context,
                                 void (*show_message)(const std::string& text)) {
  if (!instance_event_.Acquire()) {
    if (show_message) show_message(kAlreadyRunningMessage);
    return 1;
  }
  vanto::platform::SetCurrentFolder(vanto::platform::ProgramFolder());
  if (vanto::delivery::HasUpdatedSwitch(arguments)) vanto::delivery::started_after_update = 1;
  int result = run_main_window(*this, context);
  instance_event_.Release();
  return result;
}
