#include "learner/day_range.h"

#include <algorithm>

#include "learner/chapter_table.h"

int ChapterStart(int chapter) {
  constexpr int kRows = sizeof(ChapterTable) / sizeof(ChapterTable[0]);
  return chapter >= 0 && chapter < kRows ? ChapterTable[chapter].first : 0;
}

std::int64_t DayRangeFirst(const SINFO& info, int days_back) {
  const std::int64_t days = std::int64_t{info.day} - info.ch_day - days_back;
  return ChapterStart(info.chapter) + std::int64_t{info.group} * std::max<std::int64_t>(0, days);
}

std::int64_t NextDayFirst(const SINFO& info) {
  std::int64_t d = std::int64_t{info.day} - info.ch_day;
  if (d < 0) d = info.day;
  return ChapterStart(info.chapter) + (d + 1) * info.group;
}
