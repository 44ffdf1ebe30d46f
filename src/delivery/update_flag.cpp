#include "delivery/update_flag.h"

#include <strings.h>

namespace vanto::delivery {

bool HasUpdatedSwitch(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument.empty() || (argument[0] != '-' && argument[0] != '/')) continue;
    return ::strcasecmp(argument.c_str() + 1, "updated") == 0;
  }
  return false;
}

}  // namespace vanto::delivery
