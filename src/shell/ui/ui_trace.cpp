#include "shell/ui/ui_trace.h"

#include <cstdio>
#include <cstdlib>
#include <string>

bool UiTraceEnabled() {
  static const bool enabled = std::getenv("VANTO_TRACE") != nullptr;
  return enabled;
}

void UiTrace(std::initializer_list<std::string_view> fields) {
  if (!UiTraceEnabled()) return;
  std::string line;
  for (std::string_view field : fields) {
    if (!line.empty()) line += '\t';
    line += field;
  }
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}
