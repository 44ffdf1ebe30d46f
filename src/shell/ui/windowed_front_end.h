// The windowed face of the host: the toolkit started on the display, the
// main window with its movie view, reload dialogs, message boxes and the
// exit notice window.
#pragma once

#include <memory>

#include "shell/front_end/front_end.h"

class WindowedFrontEnd : public FrontEnd {
 public:
  // Starts the toolkit; null (after a message on standard error) when no
  // display can be opened.
  static std::unique_ptr<WindowedFrontEnd> Start(int& argc, char** argv);
  ~WindowedFrontEnd() override;

  int RunMainWindow(CVantoPelkoApp& app) override;
  void ShowStartMessage(const std::string& text) override;

 private:
  WindowedFrontEnd() = default;
};
