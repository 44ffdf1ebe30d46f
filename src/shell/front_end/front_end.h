// A face of the host: the windows, or headless mode's standard input and
// output. Each one builds the HostServices of its kind and runs the main
// window with them; main picks one at start-up.
#pragma once

#include <string>

class CVantoPelkoApp;

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;
  // Runs the main window until it ends; returns its result.
  virtual int RunMainWindow(CVantoPelkoApp& app) = 0;
  // A message of the start itself (the program is already running), UTF-8.
  virtual void ShowStartMessage(const std::string& text) = 0;
};
