#include <sys/stat.h>

#include "platform/executable_file.h"
#include "platform/native_path.h"

namespace vanto::platform {

bool MakeExecutable(std::string_view host_path) {
  const std::string native = NativePath(host_path);
  struct stat info {};
  if (::stat(native.c_str(), &info) != 0) return false;
  // The owner may always run it; group and others where they may read it.
  mode_t mode = info.st_mode & 07777;
  mode |= S_IXUSR | ((mode & 0444) >> 2);
  return ::chmod(native.c_str(), mode) == 0;
}

}  // namespace vanto::platform
