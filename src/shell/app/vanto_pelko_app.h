// The program's start: one instance per user, the program folder made
// current, the "updated" switch noted, then the main window run until it
// ends.
#pragma once

#include <string>
#include <vector>

#include "platform/instance_lock.h"
#include "shell/front_end/front_end.h"

inline constexpr const char* kAlreadyRunningMessage = "已经有一个运行的“VantoPelko”程序了。";

class CVantoPelkoApp {
 public:
  CVantoPelkoApp();

  // The start sequence; returns the process's exit code. The front end
  // runs the main window, or shows the already-running message.
  int InitInstance(const std::vector<std::string>& arguments, FrontEnd& front_end);

  void ReleaseInstance() { instance_event_.Release(); }

 private:
  vanto::platform::InstanceLock instance_event_;
};
