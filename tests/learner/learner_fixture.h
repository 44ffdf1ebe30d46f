// Shared helpers of the learner tests: a temporary working folder, real files
// in it, and recording stand-ins for the document writer and message boxes.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "learner/document_sets.h"
#include "learner/study.h"
#include "platform/message_box.h"

namespace learner_test {

// Creates a fresh folder, makes it current, and restores the old current
// folder (and removes the new one) at the end.
class TempFolder {
 public:
  TempFolder() : old_(std::filesystem::current_path()) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vanto-learner-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
    std::filesystem::current_path(path_);
  }
  ~TempFolder() {
    std::filesystem::current_path(old_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path old_;
  std::filesystem::path path_;
};

inline void WriteFile(const std::string& name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

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

class RecordingDocuments : public DocumentSets {
 public:
  void WriteFullRefresh(const CStudy&) override { calls.push_back("full"); }
  void WriteOverviewSet(const CStudy&) override { calls.push_back("overview"); }
  void WriteLessonSet(const CStudy&, int offset) override {
    calls.push_back("lesson " + std::to_string(offset));
  }
  void WriteChapterFiles(const CStudy&, int old_chapter, int new_chapter) override {
    calls.push_back("chapters " + std::to_string(old_chapter) + " " + std::to_string(new_chapter));
  }
  std::vector<std::string> calls;
};

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
