// Creation of the folders above a file.
#pragma once

#include <string_view>

namespace vanto::delivery {

// Creates every missing folder named by a prefix of host_path that ends before
// a backslash (a leading backslash is the root, not a folder). The part after
// the last backslash is never created; '/' is not a separator. Stops with
// false at the first folder it cannot create, keeping those made so far.
// A path of 260 characters or more is refused (false, nothing created).
bool CreateParentDirectories(std::string_view host_path);

}  // namespace vanto::delivery
