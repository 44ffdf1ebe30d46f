// Paths as the host writes them ("hlg\puzzle\hanzi.xml": backslashes, code
// page 936 bytes, relative to the program folder, which is the current
// directory) become native paths only here, at the moment of a system call.
//
// On POSIX every backslash becomes '/', and the bytes are converted from code
// page 936 to a UTF-8 file name. A host path that starts with a backslash is
// absolute. NativeToHostPath is the inverse, used to report the current and
// program folders back in the host's own form.
#pragma once

#include <string>
#include <string_view>

namespace vanto::platform {

std::string NativePath(std::string_view host_path);
std::string NativeToHostPath(std::string_view native_path);

// Joins a folder and a name with one backslash between them.
std::string JoinHostPath(std::string_view folder, std::string_view name);

}  // namespace vanto::platform
