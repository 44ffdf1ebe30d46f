#include "learner/study.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>

#include "learner/answer_match.h"
#include "learner/clamped_int.h"
#include "learner/day_range.h"
#include "learner/list_dat_file.h"
#include "learner/number_list.h"
#include "learner/study_file.h"

namespace {

// Rebuilt chapter days never sum to less than `day`: chapter 0 takes the rest.
void CoverAllDays(SINFO& info) {
  std::int64_t sum = 0;
  for (const auto days : info.chap_days) sum += days;
  if (sum < info.day) info.chap_days[0] = ClampedAdd(info.chap_days[0], info.day - sum);
}

}  // namespace

CStudy::CStudy(DocumentSets* documents, vanto::platform::MessageBoxes* boxes)
    : documents_(documents), boxes_(boxes) {}

CStudy::~CStudy() {
  SaveOnExit();
}

bool CStudy::Load(const std::string& path) {
  ini_path = path;
  LoadStudyInfo(ini_path, *this);
  ReadMofa(ini_path, *this);
  if (!LoadWordList()) return false;
  if (documents_) documents_->WriteFullRefresh(*this);
  return true;
}

// Nothing is saved unless the character list was loaded, so a failed start
// leaves the stored files as they were.
bool CStudy::SaveOnExit() {
  if (words.empty() || list_path.empty()) return false;
  if (const int error = WriteListDat(list_path, words); error != 0 && boxes_) {
    boxes_->ShowFileError(list_path, error);
  }
  SaveStudyInfo(ini_path, *this);
  WriteMofa(*this, ini_path);
  words.clear();
  word_count = 0;
  return true;
}

void CStudy::AddMofa(int n) {
  if (n < 0 || n > 8) return;
  mofa_count[n + 1] = ClampedAdd(mofa_count[n + 1], 1);
  mofa_dirty = 1;
}

void CStudy::SubMofa(int n) {
  if (n < 0 || n > 8 || mofa_count[n + 1] <= 0) return;
  --mofa_count[n + 1];
  mofa_dirty = 1;
}

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

// A test answer counts for the asked character and, when wrong, against both
// it and the character chosen instead.
int CStudy::RecordAnswer(const std::string& text, bool right) {
  if (parent_mode) return 0;
  if (!right && wrong_count < std::numeric_limits<int>::max()) ++wrong_count;
  const std::string answer = AnswerToUtf8(text);
  WordRecord* asked = FindAnswerRecord(words, word_count, answer);
  if (!asked) return 1;
  ++asked->test_count;
  if (right) return 1;
  const std::size_t skip = RecordKey(*asked).size() + 1;
  if (answer.size() <= skip) return 1;
  if (WordRecord* chosen =
          FindAnswerRecord(words, word_count, std::string_view(answer).substr(skip))) {
    ++chosen->error_count;
    ++asked->error_count;
  }
  return 1;
}

// Names the characters of day `day` + k and the next: "day=%d&from=%d&to=%d".
// Unlike the day range, the start has no lower bound here.
std::string CStudy::DayRangeQuery(int offset) const {
  const std::int64_t days = std::int64_t{day} + offset - ch_day;
  const std::int64_t first = ChapterStart(chapter) + std::int64_t{group} * days;
  char text[96];
  std::snprintf(text, sizeof text, "day=%lld&from=%lld&to=%lld",
                static_cast<long long>(std::int64_t{day} + offset), static_cast<long long>(first),
                static_cast<long long>(first + 2 * std::int64_t{group}));
  return text;
}

std::string CStudy::ChapDaysQuery() const {
  return FormatNumberList(chap_days, 6) + "&ch_day=" + std::to_string(ch_day);
}

void ReadMofa(std::string_view file, CStudy& study) {
  ReadMofaCounts(file, study.mofa_count);
  study.mofa_dirty = 0;
}

std::string WriteMofa(CStudy& study, std::string_view file) {
  if (!study.mofa_dirty || study.parent_mode != 0) return {};
  std::string text = WriteMofaCounts(study.mofa_count, file);
  if (study.documents()) study.documents()->WriteOverviewSet(study);
  return text;
}

std::string ReadCredentials(const CStudy& study) {
  return ReadLogin(study.ini_path);
}

void SaveCredentials(const CStudy& study, std::string_view name, std::string_view password) {
  SaveLogin(study.ini_path, name, password);
}
