#include "learner/number_list.h"

#include <limits>

std::size_t ParseNumberList(std::string_view text, std::int32_t* entries, std::size_t count) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  std::size_t stored = 0;
  std::int32_t value = 0;
  for (char c : text) {
    if (stored >= count) break;
    if (c >= '0' && c <= '9') {
      const int digit = c - '0';
      value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    } else {
      entries[stored++] = value;
      value = 0;
    }
  }
  return stored;
}

std::string FormatNumberList(const std::int32_t* entries, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    text += std::to_string(entries[i]);
    text += ',';
  }
  return text;
}
