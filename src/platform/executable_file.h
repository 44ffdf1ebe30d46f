// Executable files of the platform.
#pragma once

#include <string_view>

namespace vanto::platform {

// The suffix an executable's file name carries: "Vanto.exe" on Windows,
// "Vanto" on Linux. Where a name gets "the executable extension", it is this.
#ifdef _WIN32
inline constexpr std::string_view kExecutableSuffix = ".exe";
#else
inline constexpr std::string_view kExecutableSuffix = "";
#endif

// Lets the file at host_path be run: by its owner, and by group and others
// where their read bit is set. False when the file cannot be changed.
bool MakeExecutable(std::string_view host_path);

}  // namespace vanto::platform
