#include "xvfb_display.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

extern char** environ;

XvfbDisplay::XvfbDisplay() {
  int pipe_fds[2];
  if (::pipe(pipe_fds) != 0) return;
  const std::string fd = std::to_string(pipe_fds[1]);
  const char* argv[] = {"Xvfb",        "-displayfd", fd.c_str(), "-screen", "0",
                        "1280x800x24", "-nolisten",  "tcp",      nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const bool spawned =
      posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char* const*>(argv), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipe_fds[1]);
  std::string number;
  char c;
  while (spawned && ::read(pipe_fds[0], &c, 1) == 1 && c != '\n') number += c;
  ::close(pipe_fds[0]);
  if (!spawned) pid_ = -1;
  if (number.empty()) return;
  ::setenv("DISPLAY", (":" + number).c_str(), 1);
  // The number is announced before the server takes clients on a busy
  // machine; the display counts as started once a client gets through.
  for (int i = 0; i < 100; ++i) {
    if (Run("xdotool getdisplaygeometry >/dev/null 2>&1") == 0) {
      name_ = ":" + number;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

XvfbDisplay::~XvfbDisplay() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  ::waitpid(pid_, nullptr, 0);
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

void XvfbDisplay::Screenshot(const std::string& path) const {
  Run("import -window root '" + path + "'");
}
