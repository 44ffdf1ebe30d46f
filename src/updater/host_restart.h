// The updater's hand-back to the course host.
#pragma once

#include <string>

#include "delivery/process_control.h"

namespace vanto::updater {

// Name of the course host's program file in the installation folder.
std::string HostProgramName();

// Shown when the host could not be started after a complete run.
inline constexpr const char* kRestartFailedMessage = "VantoPelko could not be restarted.";

// Starts the course host in `folder` with the switch "/updated"; false when
// it could not be started.
bool RestartHost(const std::string& folder, delivery::ProcessControl& processes);

}  // namespace vanto::updater
