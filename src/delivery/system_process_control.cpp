#include "delivery/process_control.h"
#include "platform/program_start.h"

namespace vanto::delivery {

bool SystemProcessControl::Start(const std::string& host_path,
                                 const std::vector<std::string>& arguments,
                                 const std::string& start_folder) {
  return platform::StartProgram(host_path, arguments, start_folder);
}

void SystemProcessControl::RequestQuit() {
  platform::EndProcessNow(0);
}

}  // namespace vanto::delivery
