#include "virtual_display.h"

#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace vanto::testing {

namespace {

constexpr int kCommandNotFound = 127;

// The display number Xvfb writes to `fd`, up to its newline; "" when none
// comes within 30 seconds.
std::string ReadDisplayNumber(int fd) {
  std::string number;
  char c = 0;
  pollfd ready{fd, POLLIN, 0};
  while (::poll(&ready, 1, 30000) == 1 && ::read(fd, &c, 1) == 1 && c != '\n') number += c;
  return number;
}

}  // namespace

VirtualDisplay::VirtualDisplay(const std::string& screen) {
  int pipe_fds[2];
  if (::pipe(pipe_fds) != 0) return;
  const std::string fd = std::to_string(pipe_fds[1]);
  pid_ = ::fork();
  if (pid_ == 0) {
    ::close(pipe_fds[0]);
    ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten",
             "tcp", static_cast<char*>(nullptr));
    ::_exit(kCommandNotFound);
  }
  ::close(pipe_fds[1]);
  const std::string number = pid_ > 0 ? ReadDisplayNumber(pipe_fds[0]) : "";
  ::close(pipe_fds[0]);
  if (number.empty()) return;
  name_ = ":" + number;
  // On a busy machine the server may not take clients at once; the display
  // counts as started once one gets through (or when there is no xdotool to
  // ask with).
  for (int i = 0; i < 100 && !started_; ++i) {
    const int status = Run("xdotool getdisplaygeometry >/dev/null 2>&1");
    started_ = status == 0 || status == kCommandNotFound;
    if (!started_) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

VirtualDisplay::~VirtualDisplay() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  ::waitpid(pid_, nullptr, 0);
}

void VirtualDisplay::MakeDefault() const {
  ::setenv("DISPLAY", name_.c_str(), 1);
}

int VirtualDisplay::Run(const std::string& command) const {
  const int status = std::system(("export DISPLAY=" + name_ + "; " + command).c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string VirtualDisplay::WaitForWindow(const std::string& title, int seconds) const {
  const std::string command = "DISPLAY=" + name_ + " xdotool search --onlyvisible --name '^" +
                              title + "$' getwindowgeometry --shell 2>/dev/null";
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

bool VirtualDisplay::Screenshot(const std::string& file) const {
  return Run("import -window root '" + file + "'") == 0;
}

}  // namespace vanto::testing
