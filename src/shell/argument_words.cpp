#include "shell/argument_words.h"

#include <climits>
#include <cstdint>

namespace {

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

bool IsArgumentWord(std::string_view argument, std::string_view word) {
  if (argument.size() != word.size()) return false;
  for (std::size_t i = 0; i < argument.size(); ++i) {
    if (LowerAscii(argument[i]) != LowerAscii(word[i])) return false;
  }
  return true;
}

int ReadDecimalArgument(std::string_view argument) {
  std::size_t i = 0;
  while (i < argument.size() && IsSpace(argument[i])) ++i;
  bool negative = false;
  if (i < argument.size() && (argument[i] == '+' || argument[i] == '-')) {
    negative = argument[i] == '-';
    ++i;
  }
  std::int64_t value = 0;
  for (; i < argument.size() && argument[i] >= '0' && argument[i] <= '9'; ++i) {
    value = value * 10 + (argument[i] - '0');
    if (value > static_cast<std::int64_t>(INT_MAX) + 1) break;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}
