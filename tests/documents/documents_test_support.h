// Shared helpers of the document tests: a scratch working folder, a message
// box recorder, hand-made character lists and file reading.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "learner/study.h"
#include "platform/message_box.h"

namespace vanto::documents::testing {

class RecordingBoxes : public vanto::platform::MessageBoxes {
 public:
  void Show(const std::string& caption, const std::string& text) override {
    shown.push_back(caption + ": " + text);
  }
  void ShowFileError(const std::string& host_path, int error_number) override {
    file_errors.emplace_back(host_path, error_number);
  }
  std::vector<std::string> shown;
  std::vector<std::pair<std::string, int>> file_errors;
};

// Makes a fresh folder the working folder for the test and removes it after.
class DocumentsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string folder_;
  std::string previous_;
  RecordingBoxes boxes_;
};

// A record whose line is `fields` followed by the TAB the list loader adds.
WordRecord Word(const std::string& fields, int review = 0, int test = 0, int error = 0);
// A record with the line exactly as given (no TAB added).
WordRecord RawWord(const std::string& line);

// Gives the learner these words.
void SetWords(CStudy& study, std::vector<WordRecord> words);
// `count` words "w<i>\tp<i>\t", for ranges that only need to exist.
std::vector<WordRecord> NumberedWords(int count);

std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
std::vector<std::string> FolderEntries(const std::string& folder);

}  // namespace vanto::documents::testing
