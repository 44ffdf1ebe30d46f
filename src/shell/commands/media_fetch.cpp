#include "shell/commands/media_fetch.h"

#include <algorithm>
#include <climits>
#include <string>

#include "learner/day_range.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "shell/command_match.h"
#include "shell/devices/puzzle_bridge.h"

namespace {

using vanto::platform::CurrentFolder;
using vanto::platform::PathExists;

// "<working folder>\<folder>\<index>.<extension>"
std::string MediaPath(std::string_view folder, std::int64_t index, std::string_view extension) {
  return CurrentFolder() + "\\" + std::string(folder) + "\\" + std::to_string(index) + "." +
         std::string(extension);
}

bool MediaMissing(std::string_view folder, std::int64_t index, std::string_view extension) {
  return !PathExists(MediaPath(folder, index, extension));
}

bool StoryComplete(int story) {
  const std::string folder = CurrentFolder() + "\\gs" + std::to_string(story) + "\\";
  for (int part = 0; part < kStoryParts; ++part) {
    if (!PathExists(folder + std::to_string(part) + ".swf")) return false;
  }
  return true;
}

}  // namespace

std::int64_t RangeStart(const CStudy& study, std::int64_t day) {
  return DayRangeFirst(study, std::int64_t{study.day} - day);
}

MediaFetches::MediaFetches(const CStudy& study, vanto::documents::CourseDocuments& documents,
                           PuzzleBridge& puzzle, ContentFetches& fetches)
    : study_(study), documents_(documents), puzzle_(puzzle), fetches_(fetches) {}

void MediaFetches::FetchDayContent(std::int64_t day, std::int64_t from, std::int64_t to) {
  fetches_.FetchWithReloadDialog("?pday=" + std::to_string(day) + "&from=" + std::to_string(from) +
                                 "&to=" + std::to_string(to));
}

// Stories 0 to 63 keep a flag once complete and are not tested again during
// the run. Larger story numbers keep no flag: they are tested at every call,
// which costs a few file tests and never reads outside the table.
void MediaFetches::FetchStory(std::string_view args) {
  const int story = ReadDecimal(args);
  const bool flagged = story >= 0 && static_cast<std::size_t>(story) < story_present_.size();
  if (story < 0 || story > study_.day / kStoryDivisor) return;
  if (flagged && story_present_[story]) return;
  if (!StoryComplete(story)) {
    // One fetch per call; the parts after the first missing one wait for
    // the next command.
    fetches_.FetchWithReloadDialog("?gushi=" + std::to_string(story));
    return;
  }
  if (flagged) story_present_[story] = 1;
}

void MediaFetches::FetchPuzzlePictures(std::string_view args) {
  if (MatchPrefix(args, "begi", 4)) {
    const std::int64_t start = RangeStart(study_, std::int64_t{study_.day} - 1);
    const std::int64_t end = std::min<std::int64_t>(start + kRecentRangeSize, kPictureCap);
    for (std::int64_t c = start; c < end; ++c) {
      if (MediaMissing("pz", c, "jpg")) {
        // The first number is the end of the range (exclusive).
        fetches_.FetchWithReloadDialog("?pz=" + std::to_string(end) +
                                       "&from=" + std::to_string(start));
      }
    }
    PlacePuzzleIndexes();
  }
  puzzle_.HandlePuzzle(args, study_);
}

void MediaFetches::FetchGameSounds() {
  const std::int64_t day = study_.day;
  const std::int64_t start = RangeStart(study_, day - 1);
  const std::int64_t end = std::min<std::int64_t>(start + kRecentRangeSize, kCourseCap);
  for (std::int64_t i = start; i < end; ++i) {
    if (MediaMissing("ss", i, "mp3")) FetchDayContent(day, start, end);
  }
}

void MediaFetches::FetchReviewMedia(std::string_view args) {
  const int days_back = ReadDecimal(args);
  const std::int64_t day = std::int64_t{study_.day} - days_back;
  const std::int64_t start = RangeStart(study_, day);
  const std::int64_t end = std::min<std::int64_t>(start + kReviewRangeSize, kCourseCap);
  for (std::int64_t i = start; i < end; ++i) {
    if (MediaMissing("ss", i, "mp3")) FetchDayContent(day, start, end);
    if (MediaMissing("bh", i, "swf")) FetchDayContent(day, start, end);
    if (MediaMissing("tp", i, "swf")) FetchDayContent(day, start, end);
  }
  documents_.WriteLessonSet(study_, days_back);
}

void MediaFetches::PrefetchNextDay() {
  if (fetches_.WorkerRunning()) return;
  fetches_.FetchManifest("?p" + study_.DayRangeQuery(1), nullptr);
}

void MediaFetches::PlacePuzzleIndexes() {
  puzzle_.SetPictureIndexes(static_cast<std::int32_t>(
      std::clamp<std::int64_t>(NextDayFirst(study_), INT32_MIN, INT32_MAX)));
}
