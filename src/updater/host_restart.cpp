#include "updater/host_restart.h"

#include "platform/executable_file.h"
#include "platform/native_path.h"

namespace vanto::updater {

std::string HostProgramName() {
  return "Vanto" + std::string(platform::kExecutableSuffix);
}

bool RestartHost(const std::string& folder, delivery::ProcessControl& processes) {
  return processes.Start(platform::JoinHostPath(folder, HostProgramName()), {"/updated"}, folder);
}

}  // namespace vanto::updater
