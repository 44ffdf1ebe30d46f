// Adoption of the learner state the account service sent back.
#pragma once

#include <string>

#include "learner/study.h"

// Reads the reply file (same sections as the study file) and makes its state
// the local one:
// - nothing at all while the local `debug` is above 0;
// - the reply's magic-card counts always replace the local ones (and clear
//   `mofa_dirty`);
// - when `day`, `ch_day`, `chapter`, `today`, `dtime`, `group` or `gushi`
//   differ, the position, story settings, chapter days and `reg_day` are
//   adopted, the documents rewritten and the study file saved. `new_day`,
//   `review` and `debug` stay local.
void MergeReply(CStudy& study, const std::string& reply_path);
