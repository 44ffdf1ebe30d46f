#include "shell/commands/media_fetch.h"

#include <algorithm>
#include <string>

#include "learner/day_range.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "shell/command_match.h"
#include "shell/devices/puzzle_bridge.h"
#include "shell/vanto_pelko_dlg.h"

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

std::int64_t RangeStart(const CVantoPelkoDlg& dlg, std::int64_t day) {
  return DayRangeFirst(dlg.study, std::int64_t{dlg.study.day} - day);
}

void FetchDayContent(CVantoPelkoDlg& dlg, std::int64_t day, std::int64_t from, std::int64_t to) {
  dlg.FetchWithReloadDialog("?pday=" + std::to_string(day) + "&from=" + std::to_string(from) +
                            "&to=" + std::to_string(to));
}

// Stories 0 to 63 keep a flag once complete and are not tested again during
// the run. Larger story numbers keep no flag: they are tested at every call,
// which costs a few file tests and never reads outside the table.
void FetchStory(CVantoPelkoDlg& dlg, std::string_view args) {
  const int story = ReadDecimal(args);
  const bool flagged = story >= 0 && static_cast<std::size_t>(story) < dlg.story_present.size();
  if (story < 0 || story > dlg.study.day / kStoryDivisor) return;
  if (flagged && dlg.story_present[story]) return;
  if (!StoryComplete(story)) {
    // One fetch per call; the parts after the first missing one wait for
    // the next command.
    dlg.FetchWithReloadDialog("?gushi=" + std::to_string(story));
    return;
  }
  if (flagged) dlg.story_present[story] = 1;
}

void FetchPuzzlePictures(CVantoPelkoDlg& dlg, std::string_view args) {
  if (MatchPrefix(args, "begi", 4)) {
    const std::int64_t start = RangeStart(dlg, std::int64_t{dlg.study.day} - 1);
    const std::int64_t end = std::min<std::int64_t>(start + kRecentRangeSize, kPictureCap);
    for (std::int64_t c = start; c < end; ++c) {
      if (MediaMissing("pz", c, "jpg")) {
        // The first number is the end of the range (exclusive).
        dlg.FetchWithReloadDialog("?pz=" + std::to_string(end) + "&from=" + std::to_string(start));
      }
    }
    dlg.PlacePuzzleIndexes();
  }
  dlg.puzzle.HandlePuzzle(args, dlg.study);
}

void FetchGameSounds(CVantoPelkoDlg& dlg) {
  const std::int64_t day = dlg.study.day;
  const std::int64_t start = RangeStart(dlg, day - 1);
  const std::int64_t end = std::min<std::int64_t>(start + kRecentRangeSize, kCourseCap);
  for (std::int64_t i = start; i < end; ++i) {
    if (MediaMissing("ss", i, "mp3")) FetchDayContent(dlg, day, start, end);
  }
}

void FetchReviewMedia(CVantoPelkoDlg& dlg, std::string_view args) {
  const int days_back = ReadDecimal(args);
  const std::int64_t day = std::int64_t{dlg.study.day} - days_back;
  const std::int64_t start = RangeStart(dlg, day);
  const std::int64_t end = std::min<std::int64_t>(start + kReviewRangeSize, kCourseCap);
  for (std::int64_t i = start; i < end; ++i) {
    if (MediaMissing("ss", i, "mp3")) FetchDayContent(dlg, day, start, end);
    if (MediaMissing("bh", i, "swf")) FetchDayContent(dlg, day, start, end);
    if (MediaMissing("tp", i, "swf")) FetchDayContent(dlg, day, start, end);
  }
  dlg.documents.WriteLessonSet(dlg.study, days_back);
}

void PrefetchNextDay(CVantoPelkoDlg& dlg) {
  if (dlg.WorkerRunning()) return;
  dlg.FetchManifest("?p" + dlg.study.DayRangeQuery(1), nullptr);
}
