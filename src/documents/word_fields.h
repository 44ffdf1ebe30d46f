// Reading the fields of a character's text line. The line holds up to four
// fields (`text`, `spell`, `word`, `sentence`), each followed by a TAB.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "learner/word_record.h"

namespace vanto::documents {

inline constexpr int kTextField = 0;
inline constexpr int kSpellField = 1;
inline constexpr int kWordField = 2;
inline constexpr int kSentenceField = 3;

// The record's line up to its NUL (never past the line's 65 bytes).
std::string_view LineOf(const WordRecord& record);

// Field n: the n-th non-empty stretch that ends at a TAB; empty stretches are
// skipped uncounted and a stretch without a TAB after it is no field. Empty
// when the line has no such field.
std::string_view WordField(const WordRecord& record, int n);

// The card lesson's reading: every TAB ends one position, empty ones
// included, up to four positions; missing positions are empty.
std::array<std::string_view, 4> CardPositions(const WordRecord& record);

// A quiz distractor's text: the stretch before the first TAB, even when
// empty; nothing when the line has no TAB.
std::optional<std::string_view> DistractorText(const WordRecord& record);

// The readers return views into the record, so it must outlive them.
std::string_view LineOf(const WordRecord&&) = delete;
std::string_view WordField(const WordRecord&&, int) = delete;
std::array<std::string_view, 4> CardPositions(const WordRecord&&) = delete;
std::optional<std::string_view> DistractorText(const WordRecord&&) = delete;

}  // namespace vanto::documents
