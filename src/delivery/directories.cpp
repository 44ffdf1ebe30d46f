#include "delivery/directories.h"

#include <string>

#include "delivery/path_limit.h"
#include "platform/file_system.h"

namespace vanto::delivery {

bool CreateParentDirectories(std::string_view host_path) {
  if (!FitsPathBuffer(host_path)) return false;
  std::size_t cut = host_path.find('\\');
  if (cut == 0) cut = host_path.find('\\', 1);
  for (; cut != std::string_view::npos; cut = host_path.find('\\', cut + 1)) {
    const std::string_view folder = host_path.substr(0, cut);
    if (platform::PathExists(folder)) continue;
    // Another thread may create the same folder at the same moment.
    if (!platform::MakeDirectory(folder) && !platform::IsDirectory(folder)) return false;
  }
  return true;
}

}  // namespace vanto::delivery
