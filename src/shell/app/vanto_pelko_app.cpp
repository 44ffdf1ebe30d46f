#include "shell/app/vanto_pelko_app.h"

#include "delivery/update_flag.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "platform/temporary_files.h"

CVantoPelkoApp::CVantoPelkoApp() : instance_event_("VantoPelkoEvent") {}

int CVantoPelkoApp::InitInstance(const std::vector<std::string>& arguments, FrontEnd& front_end) {
  if (!instance_event_.Acquire()) {
    front_end.ShowStartMessage(kAlreadyRunningMessage);
    return 1;
  }
  const std::string folder = vanto::platform::ProgramFolder();
  // Which installation holds the mark: the learners' picker tells who is studying.
  instance_event_.Describe(vanto::platform::NativePath(folder));
  vanto::platform::SetCurrentFolder(folder);
  // Left by a crash or a kill of an earlier run (or of the updater).
  vanto::platform::RemoveStaleTemporaryFiles(folder);
  if (vanto::delivery::HasUpdatedSwitch(arguments)) vanto::delivery::started_after_update = 1;
  int result = front_end.RunMainWindow(*this);
  instance_event_.Release();
  return result;
}
