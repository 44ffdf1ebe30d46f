#include "learners/learner_standing.h"

#include <algorithm>

#include "learner/chapter_table.h"
#include "platform/local_date.h"
#include "platform/native_path.h"
#include "platform/profile.h"

namespace vanto::learners {

LearnerStanding ReadLearnerStanding(const std::filesystem::path& folder) {
  using platform::ReadProfileInt;
  LearnerStanding standing;
  const std::filesystem::path file = folder / "Vanto.ini";
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return standing;
  const std::string host_file = platform::NativeToHostPath(file.string());
  standing.started = true;
  constexpr std::string_view kStudy = "study";
  const int stored_day = ReadProfileInt(kStudy, "day", 0, host_file);
  const int today = ReadProfileInt(kStudy, "today", 0, host_file);
  const int review = ReadProfileInt(kStudy, "review", 0, host_file);
  const int chapter = ReadProfileInt(kStudy, "chapter", 0, host_file);
  const int ch_day = ReadProfileInt(kStudy, "ch_day", 0, host_file);

  // The course's own corrections of stored values, and its day roll-over.
  const bool same_date = today == platform::LocalDateNumber();
  standing.day = stored_day < 0 ? 0 : stored_day;
  if (!same_date && today > 0 && standing.day < 0x7FFFFFFF) ++standing.day;
  const bool known_chapter = chapter >= 0 && chapter < kChapterCount;
  standing.chapter = known_chapter ? chapter : 0;
  const int first_day = known_chapter ? std::clamp(ch_day, 0, standing.day) : 0;
  standing.days_in_chapter = standing.day - first_day;
  standing.done_today = same_date && review != 0;
  return standing;
}

}  // namespace vanto::learners
