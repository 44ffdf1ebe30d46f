#include "learners/learner_card.h"

#include <fstream>

namespace vanto::learners {

namespace {

constexpr std::string_view kNameKey = "name=";
constexpr std::string_view kPictureKey = "picture=";

}  // namespace

std::optional<LearnerCard> ReadLearnerCard(const std::filesystem::path& folder) {
  std::ifstream in(folder / kCardFileName);
  if (!in) return std::nullopt;
  LearnerCard card{folder, {}, 0};
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with(kNameKey)) {
      card.name = line.substr(kNameKey.size());
    } else if (line.starts_with(kPictureKey)) {
      try {
        card.picture = std::stoi(line.substr(kPictureKey.size()));
      } catch (const std::exception&) {
        card.picture = 0;
      }
    }
  }
  if (card.picture < 0) card.picture = 0;
  return card;
}

bool WriteLearnerCard(const LearnerCard& card) {
  // Written beside its place and renamed over it: a card is never half written.
  const std::filesystem::path path = card.folder / kCardFileName;
  std::filesystem::path fresh = path;
  fresh += ".new";
  {
    std::ofstream out(fresh, std::ios::binary | std::ios::trunc);
    out << kNameKey << card.name << '\n' << kPictureKey << card.picture << '\n';
    out.close();
    if (!out) return false;
  }
  std::error_code error;
  std::filesystem::rename(fresh, path, error);
  return !error;
}

std::string CleanLearnerName(const std::string& name) {
  const auto first = name.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = name.find_last_not_of(" \t");
  std::string cleaned = name.substr(first, last - first + 1);
  for (const unsigned char c : cleaned) {
    if (c < 0x20 || c == 0x7F) return {};
  }
  return cleaned;
}

}  // namespace vanto::learners
