// Progress documents: the summary "stat.xml" and one "Chapter%d.xml" per
// chapter with every character's practice count and success rate.
#pragma once

#include <string>
#include <string_view>

#include "learner/study.h"
#include "learner/word_record.h"
#include "platform/message_box.h"

namespace vanto::documents {

// learnNum and rate of a character, as the progress documents show them.
int LearnNum(const WordRecord& record);
float SuccessRate(const WordRecord& record);

int WriteStat(const CStudy& study, std::string_view path, vanto::platform::MessageBoxes* boxes);

// Returns 0 without touching the file when the chapter's range reaches past
// the loaded list.
int WriteChapterList(int chapter, const CStudy& study, std::string_view path,
                     vanto::platform::MessageBoxes* boxes);

// Rewrites the chapter documents of the old and the new chapter and any that
// are missing; all six when old equals new. Always 1.
int WriteChapterFiles(const CStudy& study, int old_chapter, int new_chapter,
                      vanto::platform::MessageBoxes* boxes);

}  // namespace vanto::documents
