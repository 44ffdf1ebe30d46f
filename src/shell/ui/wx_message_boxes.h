// Message boxes of the windowed program: modal, with an OK button, over the
// main window.
#pragma once

#include "platform/message_box.h"

class wxWindow;

class WxMessageBoxes : public vanto::platform::MessageBoxes {
 public:
  explicit WxMessageBoxes(wxWindow* parent) : parent_(parent) {}
  void Show(const std::string& caption, const std::string& text) override;
  void ShowFileError(const std::string& host_path, int error_number) override;

 private:
  wxWindow* parent_;
};

// A box with UTF-8 texts, also usable before any window exists.
void ShowUtf8MessageBox(wxWindow* parent, const std::string& caption, const std::string& text);
