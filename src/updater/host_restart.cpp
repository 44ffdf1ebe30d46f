#include "updater/host_restart.h"

#include "platform/executable_file.h"
#include "platform/native_path.h"

namespace vanto::updater {

std::string HostProgramName() {
  return "Vanto" + std::string(platform::kExecutableSuffix);
}

bool RestartHost(const std::string& folder, delivery::ProcessControl& processes) {
  const std::string host = platform::JoinHostPath(folder, HostProgramName());
  platform::MakeExecutable(host);  // an update may have delivered it as a plain file
  return processes.Start(host, {"/updated"}, folder);
}

}  // namespace vanto::updater
