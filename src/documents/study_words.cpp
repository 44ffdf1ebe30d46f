#include "documents/study_words.h"

#include <algorithm>
#include <climits>
#include <iterator>

namespace vanto::documents {

std::int64_t AvailableWords(const CStudy& study) {
  return std::min<std::int64_t>(study.word_count, static_cast<std::int64_t>(study.words.size()));
}

const WordRecord* WordAt(const CStudy& study, std::int64_t i) {
  if (i < 0 || i >= AvailableWords(study)) return nullptr;
  return &study.words[static_cast<std::size_t>(i)];
}

const ChapterRow& ChapterRowFor(int chapter) {
  static constexpr ChapterRow kNoChapter = {"", 0, 0};
  if (chapter < 0 || chapter >= static_cast<int>(std::size(ChapterTable))) return kNoChapter;
  return ChapterTable[chapter];
}

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

}  // namespace vanto::documents
