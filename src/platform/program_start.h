// Starting another program and ending this one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vanto::platform {

// Starts the executable at host_path with `arguments` (passed unchanged, not
// including the program name) and returns whether it was started. An
// empty start folder keeps the current one. The program runs on its own; a
// background waiter collects its exit status so no zombie is left behind.
bool StartProgram(std::string_view host_path, const std::vector<std::string>& arguments,
                  std::string_view start_folder);

// Ends the whole process at once with `exit_code`, from any thread: standard
// streams are flushed, no destructors or exit handlers run.
[[noreturn]] void EndProcessNow(int exit_code);

}  // namespace vanto::platform
