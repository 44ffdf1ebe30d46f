// Whether a window can be opened at all: a display is named in the
// environment (X11 or Wayland).
#pragma once

bool DisplayAvailable();
