// Test answers from the movie ("sz_t" right, "sz_f" wrong): the text holds the
// asked character, and for a wrong answer one separator byte and the chosen
// character. Both are matched against the first field of the records.
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "learner/study.h"
#include "platform/codepage.h"

namespace {

constexpr std::size_t kMaxAnswerUnits = 31;  // UTF-16 code units
constexpr std::size_t kMaxAnswerBytes = 32;  // UTF-8 bytes

// The answer in UTF-8 with its first '?' removed; empty when it is too long.
std::string AnswerToUtf8(const std::string& gbk) {
  auto utf16 = vanto::platform::GbkToUtf16Bounded(gbk, kMaxAnswerUnits);
  if (!utf16) return {};
  if (const auto mark = utf16->find(u'?'); mark != std::u16string::npos) utf16->erase(mark, 1);
  return vanto::platform::Utf16ToUtf8Bounded(*utf16, kMaxAnswerBytes).value_or(std::string());
}

// A record's key: from its start up to the first TAB, space or NUL at or after
// its second byte. Records without text (first byte NUL) have no key.
std::string_view RecordKey(const WordRecord& record) {
  if (record.line[0] == '\0') return {};
  std::size_t length = 1;
  while (length < sizeof record.line) {
    const char c = record.line[length];
    if (c == '\t' || c == ' ' || c == '\0') break;
    ++length;
  }
  return {record.line, length};
}

char FoldCase(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithKey(std::string_view text, std::string_view key) {
  if (key.empty() || text.size() < key.size()) return false;
  for (std::size_t i = 0; i < key.size(); ++i) {
    if (FoldCase(text[i]) != FoldCase(key[i])) return false;
  }
  return true;
}

WordRecord* FindRecord(std::vector<WordRecord>& words, std::size_t count, std::string_view text) {
  for (std::size_t i = 0; i < count && i < words.size(); ++i) {
    if (StartsWithKey(text, RecordKey(words[i]))) return &words[i];
  }
  return nullptr;
}

}  // namespace

int CStudy::RecordAnswer(const std::string& text, bool right) {
  if (parent_mode) return 0;
  if (!right && wrong_count < std::numeric_limits<int>::max()) ++wrong_count;
  const std::string answer = AnswerToUtf8(text);
  WordRecord* asked = FindRecord(words, word_count, answer);
  if (!asked) return 1;
  ++asked->test_count;
  if (right) return 1;
  const std::size_t skip = RecordKey(*asked).size() + 1;
  if (answer.size() <= skip) return 1;
  if (WordRecord* chosen = FindRecord(words, word_count, std::string_view(answer).substr(skip))) {
    ++chosen->error_count;
    ++asked->error_count;
  }
  return 1;
}
