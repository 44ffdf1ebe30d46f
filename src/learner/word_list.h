// Choosing between "list.txt" (the course text) and "list.dat" (the records
// with their counters); the loaders themselves are members of CStudy.
#pragma once

#include <string>
#include <string_view>

#include "learner/word_record.h"

// −1, 0 or +1 as the last-modification time of `text_path` is earlier than,
// equal to or later than the creation time of `dat_path`; 0 when either file
// cannot be opened for reading or its time cannot be read.
int CompareListTimes(std::string_view text_path, std::string_view dat_path);

// Longest "list.txt" line that fits in a record (followed by TAB and NUL).
inline constexpr std::size_t kMaxListLine = sizeof(WordRecord::line) - 2;

// A record built from one line of "list.txt": the line, TAB, NUL; an all-zero
// record when the line does not fit.
WordRecord RecordFromListLine(std::string_view line);
