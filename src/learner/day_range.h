// The day range: the `group` characters of a study day. A chapter is taught
// `group` characters per day in list order from its first character; the
// range of the day `k` days back starts at
//   first(k) = chapter start + group × max(0, day − ch_day − k).
// Nothing stops the range at the chapter's end; it runs on into the list.
// Computed in 64 bits: stored values may be anything a file held.
#pragma once

#include <cstdint>

#include "learner/study_info.h"

// `first` of the chapter's row of the course table (0 for an index outside it).
int ChapterStart(int chapter);

// first(k) as above.
std::int64_t DayRangeFirst(const SINFO& info, int days_back);

// The first character after the current study day, where the puzzle pictures
// are searched from: chapter start + group × (d + 1), d = day − ch_day, or
// `day` when that is negative.
std::int64_t NextDayFirst(const SINFO& info);
