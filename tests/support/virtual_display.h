// A virtual display (Xvfb) for tests of the windows, with the xdotool and
// ImageMagick commands the tests drive it with and screenshots of its whole
// screen.
#pragma once

#include <sys/types.h>

#include <string>

namespace vanto::testing {

class VirtualDisplay {
 public:
  // Xvfb chooses a free display number itself and writes it to a pipe once it
  // accepts clients, so tests started at the same time never share a display.
  // Waits until a client gets through.
  explicit VirtualDisplay(const std::string& screen = "1280x800x24");
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  // ":<number>", or "" when Xvfb could not start.
  const std::string& name() const { return name_; }
  bool started() const { return started_; }
  // Makes this the DISPLAY of the test and of every program it starts.
  void MakeDefault() const;

  // Runs a shell command on this display; its exit status.
  int Run(const std::string& command) const;
  // Waits until a visible window titled `title` exists; the position of its
  // top-left corner as "X Y", or "" after `seconds`.
  std::string WaitForWindow(const std::string& title, int seconds) const;
  // Saves the whole screen as a PNG file; whether that worked.
  [[nodiscard]] bool Screenshot(const std::string& file) const;

 private:
  pid_t pid_ = -1;
  std::string name_;
  bool started_ = false;
};

}  // namespace vanto::testing
