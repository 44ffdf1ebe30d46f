#include "shell/command_match.h"

#include <climits>
#include <cstdint>

namespace {

bool IsLeadByte(unsigned char c) {
  return c >= 0x81 && c <= 0xFE;
}

unsigned char Fold(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}

unsigned char At(std::string_view s, std::size_t i) {
  return i < s.size() ? static_cast<unsigned char>(s[i]) : 0;
}

// Compares at most `n` bytes; a double-byte character is compared as a unit
// and never case-folded, and it counts only when it fits in the limit.
bool CompareUnits(std::string_view a, std::string_view b, std::size_t n) {
  std::size_t i = 0;
  while (i < n) {
    unsigned char x = At(a, i), y = At(b, i);
    if (IsLeadByte(x) || IsLeadByte(y)) {
      if (x != y) return false;
      if (i + 1 >= n) return true;  // only the lead byte lies within the limit
      if (At(a, i + 1) != At(b, i + 1)) return false;
      if (At(a, i + 1) == 0) return true;
      i += 2;
      continue;
    }
    if (Fold(x) != Fold(y)) return false;
    if (x == 0) return true;
    ++i;
  }
  return true;
}

}  // namespace

bool MatchExact(std::string_view text, std::string_view keyword) {
  if (text.size() != keyword.size()) return false;
  return CompareUnits(text, keyword, text.size());
}

bool MatchPrefix(std::string_view text, std::string_view keyword, std::size_t n) {
  return CompareUnits(text, keyword, n);
}

int ReadDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<std::int64_t>(INT_MAX) + 1)
      value = static_cast<std::int64_t>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}
