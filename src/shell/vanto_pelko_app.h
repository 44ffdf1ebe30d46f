// The program's start: one instance per user, the program folder made
// current, the "updated" switch noted, then the main window run until it
// ends.
#pragma once

#include <string>
#include <vector>

#include "platform/instance_lock.h"

inline constexpr const char* kAlreadyRunningMessage = "已经有一个运行的“VantoPelko”程序了。";

class CVantoPelkoApp {
 public:
  // Runs the main window; given the lock so it can release it at close.
  // Returns the window's result.
  using MainWindowRunner = int (*)(CVantoPelkoApp& app, void* context);

  CVantoPelkoApp();

  // The start sequence; returns the process's exit code. `show_message`
  // receives the already-running message (UTF-8).
  int InitInstance(const std::vector<std::string>& arguments, MainWindowRunner run_main_window,
                   void* context, void (*show_message)(const std::string& text));

  void ReleaseInstance() { instance_event_.Release(); }

 private:
  vanto::platform::InstanceLock instance_event_;
};
