// Course index documents: the course index ("main.xml"), the branch movie
// ("content.xml") and the last seven calendar days ("zjfx.xml").
#pragma once

#include <string_view>

#include "learner/study.h"
#include "platform/message_box.h"

namespace vanto::documents {

// Each returns 1 when the document was written, 0 on a file error (shown
// through `boxes` when given).
int WriteCourseIndex(const CStudy& study, std::string_view path,
                     vanto::platform::MessageBoxes* boxes);
int WriteBranch(const CStudy& study, std::string_view path, vanto::platform::MessageBoxes* boxes);
// Counts back from today's local date.
int WriteRecentDays(std::string_view path, vanto::platform::MessageBoxes* boxes);
// Counts back from `today`, a date as the number yyyymmdd.
int WriteRecentDays(std::string_view path, int today, vanto::platform::MessageBoxes* boxes);

}  // namespace vanto::documents
