// Which learner's installation a start of the course opens: the one named on
// the command line, the only one there is (made at the very first start), or
// the one a child picks in the picker window when there are several.
#pragma once

#include <filesystem>
#include <string>

#include "learners/learner_roster.h"

namespace vanto::learners {

struct ChoiceRequest {
  std::string learner;       // --learner NAME; empty: not named
  bool show_picker = false;  // --learners: the picker even for one learner
  bool headless = false;     // no window can be shown
};

struct Choice {
  enum class Kind { kFolder, kPicker, kProblem } kind = Kind::kProblem;
  std::filesystem::path folder;  // kFolder
  std::string problem;           // kProblem: what to tell the user
};

// `earlier_in_use`: the course is running from the earlier layout's folder,
// which is then left in place this time.
Choice ChooseLearner(LearnerRoster& roster, const ChoiceRequest& request, bool earlier_in_use);

}  // namespace vanto::learners
