#include "shell/devices/puzzle_plugin.h"

#include "platform/file_system.h"
#include "platform/native_path.h"

std::string DefaultPuzzleLibraryPath() {
  namespace platform = vanto::platform;
  return platform::NativePath(
      platform::JoinHostPath(platform::ProgramFolder(), kPuzzleLibraryName));
}
