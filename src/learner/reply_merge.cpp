#include "learner/reply_merge.h"

#include <cstdint>
#include <limits>

#include "learner/study_file.h"
#include "platform/profile.h"

namespace {

bool SamePosition(const SINFO& a, const SINFO& b) {
  return a.day == b.day && a.ch_day == b.ch_day && a.chapter == b.chapter && a.today == b.today &&
         a.dtime == b.dtime && a.group == b.group && a.gushi == b.gushi;
}

void AdoptPosition(const SINFO& from, SINFO& to) {
  to.gushi = from.gushi;
  to.group = from.group;
  to.ch_day = from.ch_day;
  to.story_index = from.story_index;
  to.story_part = from.story_part;
  for (int i = 0; i < 6; ++i) to.chap_days[i] = from.chap_days[i];
  to.chapter = from.chapter;
  to.today = from.today;
  to.dtime = from.dtime;
  to.day = from.day;
  to.reg_day = from.reg_day;
  to.chap_dirty = 1;
}

// Days not accounted to any chapter are counted to chapter 0. Summed in 64
// bits and capped, since the counts come from a file.
void CoverShortfall(SINFO& info) {
  std::int64_t sum = 0;
  for (const std::int32_t days : info.chap_days) sum += days;
  if (sum >= info.day) return;
  const std::int64_t raised = std::int64_t{info.chap_days[0]} + (info.day - sum);
  info.chap_days[0] = static_cast<std::int32_t>(raised > std::numeric_limits<std::int32_t>::max()
                                                    ? std::numeric_limits<std::int32_t>::max()
                                                    : raised);
}

}  // namespace

void MergeReply(CStudy& study, const std::string& reply_path) {
  if (study.debug > 0) return;
  // A reply that carries no learner state (a refused login) must not reset
  // the learner to the defaults of an empty study section.
  if (vanto::platform::ReadProfileString("study", "day", "", reply_path).empty()) return;
  SINFO fresh;  // all 0, group 6, gushi 5
  LoadStudyInfo(reply_path, fresh);
  ReadMofa(reply_path, study);
  if (SamePosition(fresh, study)) return;
  AdoptPosition(fresh, study);
  CoverShortfall(study);
  if (study.documents()) study.documents()->WriteFullRefresh(study);
  if (!study.ini_path.empty()) SaveStudyInfo(study.ini_path, study);
}
