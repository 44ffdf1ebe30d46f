// A virtual display (Xvfb) for tests of the windows, on a display number
// nobody uses, with screenshots of its whole screen.
#pragma once

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class VirtualDisplay {
 public:
  // Xvfb chooses a free display number itself and writes it to a pipe once it
  // accepts clients, so tests started at the same time never share a display.
  VirtualDisplay() {
    int pipe_fds[2];
    if (::pipe(pipe_fds) != 0) return;
    const std::string fd = std::to_string(pipe_fds[1]);
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(pipe_fds[0]);
      ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x800x24",
               "-nolisten", "tcp", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(pipe_fds[1]);
    std::string number;
    char c = 0;
    pollfd ready{pipe_fds[0], POLLIN, 0};
    while (::poll(&ready, 1, 30000) == 1 && ::read(pipe_fds[0], &c, 1) == 1 && c != '\n') {
      number += c;
    }
    ::close(pipe_fds[0]);
    if (!number.empty()) name_ = ":" + number;
  }
  ~VirtualDisplay() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  const std::string& name() const { return name_; }
  void Screenshot(const std::filesystem::path& file) const {
    std::string command = "DISPLAY=" + name_ + " import -window root " + file.string();
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
  }

 private:
  pid_t pid_ = -1;
  std::string name_;
};
