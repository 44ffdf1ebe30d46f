#include "learners/learner_choice.h"

namespace vanto::learners {

namespace {

Choice Folder(std::filesystem::path folder) {
  return {Choice::Kind::kFolder, std::move(folder), {}};
}

Choice Problem(std::string text) {
  return {Choice::Kind::kProblem, {}, std::move(text)};
}

std::string Names(const std::vector<LearnerCard>& learners) {
  std::string names;
  for (const LearnerCard& card : learners) names += (names.empty() ? "" : ", ") + card.name;
  return names.empty() ? "none yet" : names;
}

}  // namespace

Choice ChooseLearner(LearnerRoster& roster, const ChoiceRequest& request, bool earlier_in_use) {
  std::error_code error;
  if (earlier_in_use && std::filesystem::is_directory(roster.EarlierFolder(), error)) {
    return Folder(roster.EarlierFolder());
  }
  roster.AdoptEarlierFolder();
  const std::vector<LearnerCard> learners = roster.List();
  if (!request.learner.empty()) {
    for (const LearnerCard& card : learners) {
      if (card.name == request.learner) return Folder(card.folder);
    }
    return Problem("there is no learner called \"" + request.learner +
                   "\" (learners: " + Names(learners) + ")");
  }
  if (request.show_picker || learners.size() > 1) {
    if (!request.headless) return {Choice::Kind::kPicker, {}, {}};
    return Problem("several learners study here (" + Names(learners) +
                   "): choose one with --learner NAME");
  }
  if (learners.size() == 1) return Folder(learners.front().folder);
  LearnerRoster::Added first = roster.Add(kUnnamedLearner, 0);
  if (!first.card) return Problem(first.problem);
  return Folder(first.card->folder);
}

}  // namespace vanto::learners
