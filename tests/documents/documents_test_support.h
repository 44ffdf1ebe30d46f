// Shared helpers of the document tests: a scratch working folder, a message
// box recorder, hand-made character lists and file reading.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "files.h"
#include "learner/study.h"
#include "platform/message_box.h"
#include "temp_folder.h"

namespace vanto::documents::testing {

using vanto::testing::ReadFile;
using vanto::testing::WriteFile;

class RecordingBoxes : public vanto::platform::MessageBoxes {
 public:
  void Show(const std::string&, const std::string&) override {}
  void ShowFileError(const std::string& host_path, int error_number) override {
    file_errors.emplace_back(host_path, error_number);
  }
  std::vector<std::pair<std::string, int>> file_errors;
};

// Makes a fresh folder the working folder for the test and removes it after.
class DocumentsTest : public ::testing::Test {
 protected:
  vanto::testing::WorkingFolder folder_{"vanto_docs"};
  RecordingBoxes boxes_;
};

// A record with the line exactly as given (no TAB added).
inline WordRecord RawWord(const std::string& line) {
  WordRecord record{};
  std::memcpy(record.line, line.data(), std::min(line.size(), sizeof record.line - 1));
  return record;
}

// A record whose line is `fields` followed by the TAB the list loader adds.
inline WordRecord Word(const std::string& fields, int review = 0, int test = 0, int error = 0) {
  WordRecord record = RawWord(fields + "\t");
  record.review_count = static_cast<std::uint8_t>(review);
  record.test_count = static_cast<std::uint8_t>(test);
  record.error_count = static_cast<std::uint8_t>(error);
  return record;
}

inline void SetWords(CStudy& study, std::vector<WordRecord> words) {
  study.words = std::move(words);
  study.word_count = static_cast<std::uint32_t>(study.words.size());
}

// `count` words "w<i>\tp<i>", for ranges that only need to exist.
inline std::vector<WordRecord> NumberedWords(int count) {
  std::vector<WordRecord> words;
  for (int i = 0; i < count; ++i) {
    words.push_back(Word("w" + std::to_string(i) + "\tp" + std::to_string(i)));
  }
  return words;
}

inline bool FileExists(const std::string& path) {
  return std::filesystem::exists(path);
}

inline std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

}  // namespace vanto::documents::testing
