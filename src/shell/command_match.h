// How movie commands and their argument words are compared: without regard
// to letter case, double-byte (code page 936) characters taken as units.
#pragma once

#include <cstddef>
#include <string_view>

// The whole text equals the keyword.
bool MatchExact(std::string_view text, std::string_view keyword);

// The first `n` bytes are compared, each string's terminating NUL taking
// part: a keyword shorter than `n` must match exactly, a longer one matches
// any text that begins with its first `n` bytes.
bool MatchPrefix(std::string_view text, std::string_view keyword, std::size_t n);

// Reads a decimal integer the way the C library's atoi does: leading blanks,
// one optional sign, digits up to the first non-digit; no digits read 0.
// Values beyond 32 bits saturate.
int ReadDecimal(std::string_view text);
