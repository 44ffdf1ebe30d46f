#include "shell/ui/display_available.h"

#include <cstdlib>
#include <initializer_list>

bool DisplayAvailable() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}
