// Message boxes the host shows to the user. The windowed program shows a
// modal dialog with an OK button; headless mode and tests substitute their own.
#pragma once

#include <string>

namespace vanto::platform {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // A modal box with an OK button; texts are code page 936.
  virtual void Show(const std::string& caption, const std::string& text) = 0;
  // The framework's standard report of a failed file operation on `host_path`.
  virtual void ShowFileError(const std::string& host_path, int error_number) = 0;
  // A setting of the installation that keeps the program from working (a
  // publisher key that cannot be used): a box in the window; a program
  // without a window writes it to standard error instead.
  virtual void ShowSettingsProblem(const std::string& text) { Show("VantoPelko", text); }
};

}  // namespace vanto::platform
