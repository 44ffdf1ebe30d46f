#include "learner/day_range.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "learner/chapter_table.h"
#include "learner/number_list.h"

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

// Names the characters of day `day` + k and the next: "day=%d&from=%d&to=%d".
// Unlike the day range, the start has no lower bound here.
std::string CStudy::DayRangeQuery(int offset) const {
  const std::int64_t days = std::int64_t{day} + offset - ch_day;
  const std::int64_t first = ChapterStart(chapter) + std::int64_t{group} * days;
  char text[96];
  std::snprintf(text, sizeof text, "day=%lld&from=%lld&to=%lld",
                static_cast<long long>(std::int64_t{day} + offset), static_cast<long long>(first),
                static_cast<long long>(first + 2 * std::int64_t{group}));
  return text;
}

std::string CStudy::ChapDaysQuery() const {
  return FormatNumberList(chap_days, 6) + "&ch_day=" + std::to_string(ch_day);
}
