// A learner of this computer account: the installation folder that holds the
// learner's course, and the name and picture the learner is known by. Name
// and picture are kept in the folder's "learner.txt" (UTF-8 lines "name=..."
// and "picture=..."), so that moving the folder moves the learner whole.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vanto::learners {

inline constexpr char kCardFileName[] = "learner.txt";

struct LearnerCard {
  std::filesystem::path folder;
  std::string name;
  int picture = 0;  // index into the animal pictures
};

// The card of `folder`; nothing when the folder holds no card file.
std::optional<LearnerCard> ReadLearnerCard(const std::filesystem::path& folder);

// Writes the card file into card.folder, replacing it whole.
bool WriteLearnerCard(const LearnerCard& card);

// A name with spaces at either end removed and line breaks or control
// characters refused (empty result): names are single lines in the card file.
std::string CleanLearnerName(const std::string& name);

}  // namespace vanto::learners
