// Shared helpers of the learner tests: real files in the working folder, a
// course list, dates, and recording stand-ins for the document writer and
// message boxes.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "files.h"
#include "learner/study.h"
#include "platform/message_box.h"
#include "recording_documents.h"
#include "temp_folder.h"

namespace learner_test {

using vanto::testing::ReadFile;
using vanto::testing::RecordingDocuments;
using vanto::testing::WorkingFolder;
using vanto::testing::WriteFile;

inline bool Exists(const std::string& name) {
  return std::filesystem::exists(name);
}

// Moves a file's modification time `delta` away from now.
inline void SetModifiedFromNow(const std::string& name, std::chrono::seconds delta) {
  std::filesystem::last_write_time(name, std::filesystem::file_time_type::clock::now() + delta);
}

// "list.txt" lines "<c>\t<pinyin>\t<word>\t<sentence>" for `count` characters
// that are all distinct (CJK block from U+4E00).
std::string CourseLine(int index);
std::string CourseText(int count);
// The UTF-8 key of character `index` of CourseText.
std::string CourseChar(int index);

// yyyymmdd `days` before today's local date.
int DateDaysBefore(int days);

class RecordingBoxes : public vanto::platform::MessageBoxes {
 public:
  void Show(const std::string& caption, const std::string& text) override {
    calls.push_back("show " + caption + ": " + text);
  }
  void ShowFileError(const std::string& host_path, int error_number) override {
    calls.push_back("file error " + host_path + " " + std::to_string(error_number));
  }
  std::vector<std::string> calls;
};

}  // namespace learner_test
