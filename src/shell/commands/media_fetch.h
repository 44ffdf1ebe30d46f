// On-demand media: before an activity that plays stories, puzzle pictures,
// character sounds or per-character movies, the host tests for the files of
// the learner's current range under the working folder and, when one is
// missing, fetches a manifest naming the range, shown by a reload dialog.
// Nothing is reported to the movie; it loads the media itself afterwards.
// User-interface thread only.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "documents/course_documents.h"
#include "learner/study.h"
#include "shell/content_fetches.h"
#include "shell/devices/puzzle_bridge.h"

// Fixed range sizes and caps (they do not follow the learner's `group`).
inline constexpr int kRecentRangeSize = 12;  // puzzle pictures, game sounds
inline constexpr int kReviewRangeSize = 6;   // media of a reviewed day
inline constexpr int kPictureCap = 1000;     // pictures exist for indexes below this
inline constexpr int kCourseCap = 1200;      // end of the course list
inline constexpr int kStoryParts = 25;
inline constexpr int kStoryDivisor = 5;  // one more story every five study days

// Index of the first character taught on study day `day`, never before the
// first day of the current chapter.
std::int64_t RangeStart(const CStudy& study, std::int64_t day);

class MediaFetches {
 public:
  // Every argument outlives the fetches.
  MediaFetches(const CStudy& study, vanto::documents::CourseDocuments& documents,
               PuzzleBridge& puzzle, ContentFetches& fetches);

  // "gushi" n: the 25 parts of story n; one fetch ("?gushi=n") at the first
  // missing part. Stories are allowed up to `day` / 5.
  void FetchStory(std::string_view args);

  // "puzzle": with an argument beginning "begi", the twelve pictures from the
  // previous day's range on (below index 1000), and the bridge's picture
  // indexes placed after the current day. The argument then always goes to
  // the puzzle bridge.
  void FetchPuzzlePictures(std::string_view args);

  // Mini-game "begin": the sounds of the twelve characters from the previous
  // day's range on (below index 1200).
  void FetchGameSounds();

  // "fuxi" n: sounds and both character movies of the six characters of the
  // day n days back, then the lesson documents for that day.
  void FetchReviewMedia(std::string_view args);

  // "?pday=%d&from=%d&to=%d" fetched with a reload dialog.
  void FetchDayContent(std::int64_t day, std::int64_t from, std::int64_t to);

  // "Synopsis": the next study day's content in the background, without a
  // window, unless a download worker is running.
  void PrefetchNextDay();

  // The puzzle pictures are searched from the first character after the
  // current study day. A day far beyond the course gives an index past what
  // the bridge keeps; it is held at the largest one.
  void PlacePuzzleIndexes();

  // Stories 0 to 63 found complete during this run.
  const std::array<int, 64>& story_present() const { return story_present_; }

 private:
  const CStudy& study_;
  vanto::documents::CourseDocuments& documents_;
  PuzzleBridge& puzzle_;
  ContentFetches& fetches_;
  std::array<int, 64> story_present_{};
};
