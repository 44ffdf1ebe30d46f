// A virtual display (Xvfb) for tests of the windows, on a display number
// nobody uses, with screenshots of its whole screen.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

class VirtualDisplay {
 public:
  VirtualDisplay() {
    for (int number = 120; number < 400 && name_.empty(); ++number) {
      std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
      if (std::filesystem::exists(lock) ||
          std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number)))
        continue;
      std::string name = ":" + std::to_string(number);
      pid_ = ::fork();
      if (pid_ == 0) {
        ::execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "1280x800x24", "-nolisten", "tcp",
                 static_cast<char*>(nullptr));
        ::_exit(127);
      }
      for (int i = 0; i < 100; ++i) {
        if (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number))) {
          name_ = name;
          break;
        }
        if (::waitpid(pid_, nullptr, WNOHANG) == pid_) break;  // taken meanwhile
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      }
    }
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
