// The updater's hand-back to the course host.
#pragma once

#include <string>

#include "delivery/process_control.h"

namespace vanto::updater {

// Name of the course host's program file in the installation folder.
std::string HostProgramName();

// Starts the course host in `folder` with the switch "/updated".
bool RestartHost(const std::string& folder, delivery::ProcessControl& processes);

}  // namespace vanto::updater
