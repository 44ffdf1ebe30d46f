// Headless mode: the whole host without a window. Movie commands come from
// standard input, one per line (UTF-8: the command, a TAB, the argument);
// everything the host shows goes to standard output (see headless_output.h).
// End of input is the user closing the main window.
#pragma once

#include <cstdio>

#include "shell/front_end/front_end.h"

class HeadlessFrontEnd : public FrontEnd {
 public:
  HeadlessFrontEnd(std::FILE* input, std::FILE* output) : input_(input), output_(output) {}
  // Runs the main window headless until it ends; returns its result.
  int RunMainWindow(CVantoPelkoApp& app) override;
  // Printed as a message box line.
  void ShowStartMessage(const std::string& text) override;

 private:
  std::FILE* input_;
  std::FILE* output_;
};
