#include "documents_test_support.h"

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vanto::documents::testing {

namespace fs = std::filesystem;

void DocumentsTest::SetUp() {
  previous_ = fs::current_path().string();
  std::string pattern = (fs::temp_directory_path() / "vanto_docs_XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  folder_ = pattern;
  fs::current_path(folder_);
}

void DocumentsTest::TearDown() {
  fs::current_path(previous_);
  fs::remove_all(folder_);
}

WordRecord RawWord(const std::string& line) {
  WordRecord record{};
  std::memcpy(record.line, line.data(), std::min(line.size(), sizeof record.line - 1));
  return record;
}

WordRecord Word(const std::string& fields, int review, int test, int error) {
  WordRecord record = RawWord(fields + "\t");
  record.review_count = static_cast<std::uint8_t>(review);
  record.test_count = static_cast<std::uint8_t>(test);
  record.error_count = static_cast<std::uint8_t>(error);
  return record;
}

void SetWords(CStudy& study, std::vector<WordRecord> words) {
  study.words = std::move(words);
  study.word_count = static_cast<std::uint32_t>(study.words.size());
}

std::vector<WordRecord> NumberedWords(int count) {
  std::vector<WordRecord> words;
  for (int i = 0; i < count; ++i) {
    words.push_back(Word("w" + std::to_string(i) + "\tp" + std::to_string(i)));
  }
  return words;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool FileExists(const std::string& path) {
  return fs::exists(path);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

}  // namespace vanto::documents::testing
