#include "learner/answer_match.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/codepage.h"

namespace {

constexpr std::size_t kMaxAnswerUnits = 31;  // UTF-16 code units
constexpr std::size_t kMaxAnswerBytes = 32;  // UTF-8 bytes

}  // namespace

std::string AnswerToUtf8(const std::string& gbk) {
  auto utf16 = vanto::platform::GbkToUtf16Bounded(gbk, kMaxAnswerUnits);
  if (!utf16) return {};
  if (const auto mark = utf16->find(u'?'); mark != std::u16string::npos) utf16->erase(mark, 1);
  return vanto::platform::Utf16ToUtf8Bounded(*utf16, kMaxAnswerBytes).value_or(std::string());
}

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

namespace {

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

}  // namespace

WordRecord* FindAnswerRecord(std::vector<WordRecord>& words, std::size_t count,
                             std::string_view text) {
  for (std::size_t i = 0; i < count && i < words.size(); ++i) {
    if (StartsWithKey(text, RecordKey(words[i]))) return &words[i];
  }
  return nullptr;
}
