// The updater's message boxes: modal toolkit dialogs with an OK button,
// owned by the updater's window when it is there.
#pragma once

#include "platform/message_box.h"

class WxMessageBoxes : public vanto::platform::MessageBoxes {
 public:
  void Show(const std::string& caption, const std::string& text) override;
  void ShowFileError(const std::string& host_path, int error_number) override;
};
