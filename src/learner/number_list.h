// The number lists of the study file ("Chap" "days", "mofa" "count"): decimal
// numbers each followed by a comma, e.g. "10,2,0,0,0,0,".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Longest list text the readers take from a file.
inline constexpr std::size_t kNumberListMaxChars = 251;

// Reads `text` into `entries[0..count)`: a digit extends the current value, any
// other byte ends it and stores it in the next entry (so "1,,3," stores 1, 0, 3
// and '-' is a separator like any other). A number with no separator after it
// is not stored; storing stops when every entry is filled; entries that get no
// value keep theirs. Values too large for 32 bits stay at INT32_MAX. Returns
// the number of entries stored.
std::size_t ParseNumberList(std::string_view text, std::int32_t* entries, std::size_t count);

// Formats entries as decimal numbers each followed by ",".
std::string FormatNumberList(const std::int32_t* entries, std::size_t count);
