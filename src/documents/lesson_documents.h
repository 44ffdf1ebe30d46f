// Lesson documents of one study day: the cards ("config_CSHZ.xml"), the
// picture lesson ("config_SKSZ.xml") and follow-me-read ("config_GDLX.xml"),
// and the lesson set that writes them together with the day's quizzes.
#pragma once

#include <string_view>

#include "documents/random_source.h"
#include "learner/study.h"
#include "platform/message_box.h"

namespace vanto::documents {

// [first, last) are word indexes; indexes past the loaded list are left out.
// Each returns 1 when the document was written, 0 on a file error.
int WriteCardLesson(const CStudy& study, int first, int last, std::string_view path,
                    vanto::platform::MessageBoxes* boxes);
int WritePictureLesson(int first, int last, std::string_view path,
                       vanto::platform::MessageBoxes* boxes);
int WriteFollowMeRead(const CStudy& study, int first, int last, std::string_view path,
                      vanto::platform::MessageBoxes* boxes);

// The first word of the study day `offset` days back (never before the
// chapter's first day).
int LessonDayFirst(const CStudy& study, int offset);

// All lesson and quiz documents of the study day `offset` days back. Always 1.
int WriteLessonSet(const CStudy& study, int offset, RandomSource& random,
                   vanto::platform::MessageBoxes* boxes);

}  // namespace vanto::documents
