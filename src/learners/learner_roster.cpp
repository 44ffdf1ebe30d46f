#include "learners/learner_roster.h"

#include <algorithm>
#include <charconv>

namespace vanto::learners {

namespace {

namespace fs = std::filesystem;

// The number a learner's folder is named by; nothing for other names.
std::optional<int> FolderNumber(const fs::path& folder) {
  const std::string name = folder.filename().string();
  int number = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
  if (error != std::errc() || end != name.data() + name.size() || number <= 0) return std::nullopt;
  return number;
}

}  // namespace

LearnerRoster::LearnerRoster(fs::path data_folder) : data_folder_(std::move(data_folder)) {}

std::vector<LearnerCard> LearnerRoster::List() const {
  std::vector<std::pair<int, LearnerCard>> numbered;
  std::error_code error;
  for (fs::directory_iterator it(LearnersFolder(), error), end; !error && it != end;
       it.increment(error)) {
    const std::optional<int> number = FolderNumber(it->path());
    if (!number || !it->is_directory()) continue;
    LearnerCard card = ReadLearnerCard(it->path()).value_or(LearnerCard{it->path(), {}, 0});
    if (card.name.empty()) card.name = kUnnamedLearner;
    numbered.emplace_back(*number, std::move(card));
  }
  std::sort(numbered.begin(), numbered.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<LearnerCard> cards;
  for (auto& [number, card] : numbered) cards.push_back(std::move(card));
  return cards;
}

std::optional<LearnerCard> LearnerRoster::Find(const std::string& name) const {
  for (LearnerCard& card : List()) {
    if (card.name == name) return std::move(card);
  }
  return std::nullopt;
}

int LearnerRoster::NextNumber() const {
  int highest = 0;
  std::error_code error;
  for (fs::directory_iterator it(LearnersFolder(), error), end; !error && it != end;
       it.increment(error)) {
    highest = std::max(highest, FolderNumber(it->path()).value_or(0));
  }
  return highest + 1;
}

LearnerRoster::Added LearnerRoster::Add(const std::string& name, int picture) {
  Added added;
  const std::string cleaned = CleanLearnerName(name);
  if (cleaned.empty()) {
    added.problem = "请写上名字。";
    return added;
  }
  const std::vector<LearnerCard> learners = List();
  for (const LearnerCard& learner : learners) {
    if (learner.name == cleaned) {
      added.problem = "已经有一个叫“" + cleaned + "”的学习者了。";
      return added;
    }
  }
  std::error_code error;
  fs::create_directories(LearnersFolder(), error);
  const fs::path folder = LearnersFolder() / std::to_string(NextNumber());
  // Made under a hidden name and renamed once complete.
  const fs::path making = LearnersFolder() / ("." + folder.filename().string() + ".new");
  fs::remove_all(making, error);
  LearnerCard card{making, cleaned, std::max(picture, 0)};
  // The movie player keeps this learner's identity in "player-data".
  if (!fs::create_directory(making, error) ||
      !fs::create_directory(making / "player-data", error) || !WriteLearnerCard(card)) {
    added.problem = "无法建立学习者的文件夹。";
    return added;
  }
  if (!learners.empty()) added.shared = ShareCourseFiles(learners.front().folder, making);
  fs::rename(making, folder, error);
  if (error) {
    fs::remove_all(making, error);
    added.problem = "无法建立学习者的文件夹。";
    return added;
  }
  card.folder = folder;
  added.card = std::move(card);
  return added;
}

SharedFiles LearnerRoster::ShareFromOthers(const fs::path& folder) const {
  SharedFiles shared;
  std::error_code error;
  for (const LearnerCard& other : List()) {
    if (fs::equivalent(other.folder, folder, error)) continue;
    const SharedFiles more = ShareCourseFiles(other.folder, folder);
    shared.files += more.files;
    shared.bytes += more.bytes;
  }
  return shared;
}

bool LearnerRoster::AdoptEarlierFolder() {
  std::error_code error;
  if (!fs::is_directory(fs::symlink_status(EarlierFolder(), error))) return false;
  fs::create_directories(LearnersFolder(), error);
  const fs::path folder = LearnersFolder() / std::to_string(NextNumber());
  fs::rename(EarlierFolder(), folder, error);
  if (error) return false;
  if (!ReadLearnerCard(folder)) WriteLearnerCard({folder, kUnnamedLearner, 0});
  return true;
}

}  // namespace vanto::learners
