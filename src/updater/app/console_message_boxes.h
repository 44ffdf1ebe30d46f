// Message boxes of the headless updater: one line on standard error each.
#pragma once

#include <cstdio>
#include <string>

#include "platform/codepage.h"
#include "platform/message_box.h"

namespace vanto::updater {

class ConsoleMessageBoxes : public platform::MessageBoxes {
 public:
  void Show(const std::string& caption, const std::string& text) override {
    std::fprintf(stderr, "%s: %s\n", platform::GbkToUtf8(caption).c_str(),
                 platform::GbkToUtf8(text).c_str());
  }
  void ShowFileError(const std::string& host_path, int error_number) override {
    std::fprintf(stderr, "file error %d: %s\n", error_number,
                 platform::GbkToUtf8(host_path).c_str());
  }
};

}  // namespace vanto::updater
