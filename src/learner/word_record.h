// One course character as stored in "list.dat": its text line and three
// 8-bit counters that wrap at 256.
#pragma once

#include <cstddef>
#include <cstdint>

struct WordRecord {
  // Tab-separated UTF-8 fields (character, pinyin, word, sentence), the line
  // followed by one TAB and a NUL; zero-filled after that.
  char line[65];
  std::uint8_t review_count;  // finished study days that included the character
  std::uint8_t test_count;    // times the character was asked in a test
  std::uint8_t error_count;   // wrong answers that involved the character
};

static_assert(sizeof(WordRecord) == 68);
static_assert(offsetof(WordRecord, line) == 0);
static_assert(offsetof(WordRecord, review_count) == 65);
static_assert(offsetof(WordRecord, test_count) == 66);
static_assert(offsetof(WordRecord, error_count) == 67);
