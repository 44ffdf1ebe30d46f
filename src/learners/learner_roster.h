// The learners of this computer account. Each has an installation folder of
// its own under "<data>/learners/", named by a number (the folder name is not
// the learner's name, which may hold any characters); the installation of
// the earlier one-learner layout, "<data>/VantoPelko", joins as a learner
// the first time the roster is used.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "learners/course_sharing.h"
#include "learners/learner_card.h"

namespace vanto::learners {

// The name of a learner whose name nobody has given yet ("little friend").
inline constexpr char kUnnamedLearner[] = "小朋友";

class LearnerRoster {
 public:
  // `data_folder`: the course's folder in the user's data folder.
  explicit LearnerRoster(std::filesystem::path data_folder);

  std::filesystem::path EarlierFolder() const { return data_folder_ / "VantoPelko"; }
  std::filesystem::path LearnersFolder() const { return data_folder_ / "learners"; }

  // The learners in the order they were added.
  std::vector<LearnerCard> List() const;
  std::optional<LearnerCard> Find(const std::string& name) const;

  struct Added {
    std::optional<LearnerCard> card;  // nothing: not added, `problem` says why
    std::string problem;
    SharedFiles shared;
  };
  // A new learner: a folder of its own with the card, holding the course
  // files an existing learner already has. The folder appears whole or not
  // at all.
  Added Add(const std::string& name, int picture);

  // Links into `folder` the course files the other learners have and it
  // lacks (learners added together share what the first one downloads).
  SharedFiles ShareFromOthers(const std::filesystem::path& folder) const;

  // Moves the earlier layout's installation into the roster (with its files
  // untouched, under the name kUnnamedLearner). False when there is none or
  // it cannot be moved; then it stays where it is.
  bool AdoptEarlierFolder();

 private:
  int NextNumber() const;

  std::filesystem::path data_folder_;
};

}  // namespace vanto::learners
