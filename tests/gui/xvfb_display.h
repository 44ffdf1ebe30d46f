// The virtual display of one window test, made the DISPLAY of every program
// the test starts, with the xdotool and ImageMagick commands the tests drive
// it with.
#pragma once

#include <string>

#include "virtual_display.h"

class XvfbDisplay {
 public:
  XvfbDisplay();

  bool started() const { return started_; }

  // Runs a shell command on this display; its exit status.
  int Run(const std::string& command) const;
  // Waits until a visible window titled `title` exists; the position of its
  // top-left corner as "X Y", or "" after `seconds`.
  std::string WaitForWindow(const std::string& title, int seconds) const;
  // Saves the whole screen as a PNG file.
  void Screenshot(const std::string& path) const { server_.Screenshot(path); }

 private:
  VirtualDisplay server_;
  bool started_ = false;
};
