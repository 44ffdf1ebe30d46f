// Where a learner stands, read from the study file "Vanto.ini" of the
// learner's folder without changing it: the picker shows it, and the status
// tool prints it. The day counts as the course would count it if started now
// (a new calendar date is a new study day with today's lesson still open).
#pragma once

#include <filesystem>

namespace vanto::learners {

struct LearnerStanding {
  bool started = false;     // the folder holds a study file
  int day = 0;              // study days before today
  int chapter = 0;          // 0 to 5
  int days_in_chapter = 0;  // study days spent in the chapter
  bool done_today = false;  // today's lesson was finished today
};

LearnerStanding ReadLearnerStanding(const std::filesystem::path& folder);

}  // namespace vanto::learners
