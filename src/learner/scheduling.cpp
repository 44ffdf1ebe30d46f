// Chapter changes, the finished study of a day and the parents' area.
#include <algorithm>
#include <cstdint>

#include "learner/clamped_int.h"
#include "learner/day_range.h"
#include "learner/study.h"
#include "learner/study_file.h"

namespace {

// Rebuilt chapter days never sum to less than `day`: chapter 0 takes the rest.
void CoverAllDays(SINFO& info) {
  std::int64_t sum = 0;
  for (const auto days : info.chap_days) sum += days;
  if (sum < info.day) info.chap_days[0] = ClampedAdd(info.chap_days[0], info.day - sum);
}

}  // namespace

// Parks the days of the chapter being left and resumes the new chapter at its
// parked day count. The study file gets the change at the next save.
void CStudy::ChangeChapter(int new_chapter) {
  if (new_chapter < 0 || new_chapter > 5 || new_chapter == chapter) return;
  const int old_chapter = chapter;
  if (old_chapter >= 0 && old_chapter < 6) chap_days[old_chapter] = ClampedSub(day, ch_day);
  CoverAllDays(*this);
  ch_day = ClampedSub(day, chap_days[new_chapter]);
  chapter = new_chapter;
  review = 0;
  chap_dirty = 1;
  if (documents_) {
    documents_->WriteFullRefresh(*this);
    documents_->WriteChapterFiles(*this, old_chapter, new_chapter);
  }
}

// Today's study is finished: stored at once, and each character of today's
// range counts one more review day. Indexes past the list are skipped.
void CStudy::MarkReviewed() {
  review = 1;
  WriteStudyKey("review", 1, ini_path);
  if (documents_) documents_->WriteOverviewSet(*this);
  if (words.empty()) return;
  std::int64_t days = std::int64_t{day} - ch_day;
  if (days < 0) days = day;
  const std::int64_t first = ChapterStart(chapter) + std::int64_t{group} * days;
  const auto count = static_cast<std::int64_t>(std::min<std::size_t>(word_count, words.size()));
  const std::int64_t end = std::min<std::int64_t>(first + group, count);
  for (std::int64_t i = std::max<std::int64_t>(first, 0); i < end; ++i) ++words[i].review_count;
}

void CStudy::EnterParentMode(int value) {
  if (parent_mode == 0 && documents_) {
    documents_->WriteFullRefresh(*this);
    documents_->WriteChapterFiles(*this, -1, -1);
  }
  parent_mode = value;
}
