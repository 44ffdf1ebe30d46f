// The host's spelling (backslashes) of a file in a test's folder.
#pragma once

#include <string>

#include "platform/native_path.h"
#include "temp_folder.h"

namespace vanto::testing {

// Host path of `relative` ('\' or '/' separated) in `folder`, or of the
// folder itself.
inline std::string HostPath(const TempFolder& folder, std::string relative = {}) {
  const std::string host = platform::NativeToHostPath(folder.path().string());
  if (relative.empty()) return host;
  for (char& c : relative) {
    if (c == '/') c = '\\';
  }
  return platform::JoinHostPath(host, relative);
}

}  // namespace vanto::testing
