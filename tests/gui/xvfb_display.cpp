#include "xvfb_display.h"

#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

XvfbDisplay::XvfbDisplay() {
  if (server_.name().empty()) return;
  ::setenv("DISPLAY", server_.name().c_str(), 1);
  // On a busy machine the server may not take clients at once; the display
  // counts as started once one gets through.
  for (int i = 0; i < 100 && !started_; ++i) {
    started_ = Run("xdotool getdisplaygeometry >/dev/null 2>&1") == 0;
    if (!started_) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

int XvfbDisplay::Run(const std::string& command) const {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string XvfbDisplay::WaitForWindow(const std::string& title, int seconds) const {
  const std::string command =
      "xdotool search --onlyvisible --name '^" + title + "$' getwindowgeometry --shell 2>/dev/null";
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
      char line[128];
      while (std::fgets(line, sizeof line, pipe)) output += line;
      ::pclose(pipe);
    }
    int x = 0, y = 0;
    const auto at_x = output.find("X="), at_y = output.find("Y=");
    if (at_x != std::string::npos && at_y != std::string::npos &&
        std::sscanf(output.c_str() + at_x, "X=%d", &x) == 1 &&
        std::sscanf(output.c_str() + at_y, "Y=%d", &y) == 1) {
      return std::to_string(x) + " " + std::to_string(y);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  return "";
}
