// Access to the learner's character list and course table for the writers.
// Ranges computed from the learner's position may reach past the loaded list
// (or there may be no list at all); indexes past it name no word and are left
// out of the documents.
#pragma once

#include <cstdint>

#include "learner/chapter_table.h"
#include "learner/study.h"
#include "learner/word_record.h"

namespace vanto::documents {

// Number of words that really exist: `word_count`, but never more than held.
std::int64_t AvailableWords(const CStudy& study);

// The word at index i, or null when there is none.
const WordRecord* WordAt(const CStudy& study, std::int64_t i);

// The course table's row for `chapter`; an index outside the table gives an
// empty row at 0.
const ChapterRow& ChapterRowFor(int chapter);

// Word indexes are computed wide and kept within int.
int ClampToInt(std::int64_t value);

}  // namespace vanto::documents
