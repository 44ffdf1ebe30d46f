// A virtual X display for one test program: Xvfb on the first free display
// number (chosen by Xvfb itself), made the DISPLAY of every program the test
// starts, with the xdotool and ImageMagick commands the tests drive it with.
#pragma once

#include <sys/types.h>

#include <string>

class XvfbDisplay {
 public:
  XvfbDisplay();
  ~XvfbDisplay();
  XvfbDisplay(const XvfbDisplay&) = delete;
  XvfbDisplay& operator=(const XvfbDisplay&) = delete;

  bool started() const { return !name_.empty(); }

  // Runs a shell command on this display; its exit status.
  int Run(const std::string& command) const;
  // Waits until a visible window titled `title` exists; its geometry as
  // "X Y" of its top-left corner, or "" after `seconds`.
  std::string WaitForWindow(const std::string& title, int seconds) const;
  // Saves the whole screen as a PNG file.
  void Screenshot(const std::string& path) const;

 private:
  pid_t pid_ = -1;
  std::string name_;
};
