// The persisted study position: where the child stands in the course, as the
// study file "Vanto.ini" (and the account service's reply) stores it.
#pragma once

#include <cstdint>

// Plain data, no virtual functions.
struct SINFO {
  std::int32_t new_day = 0;  // 1 when a load found a new date after an earlier one
  std::int32_t today = 0;    // yyyymmdd of the last load; 0 = never loaded
  std::int32_t dtime = 0;    // kept and stored back unchanged
  std::int32_t reg_day = 0;  // days since registration (from files only)
  std::int32_t day = 0;      // study-day counter
  std::int32_t chapter = 0;  // 0 to 5
  std::int32_t ch_day = 0;   // value of `day` at which the chapter's own count is zero
  std::int32_t review = 0;   // 1 once today's study was finished
  std::int32_t group = 6;    // characters per study day, 1 to 12
  std::int32_t gushi = 5;    // story setting, 1 to 12
  std::int32_t story_index = 0;
  std::int32_t story_part = 0;
  std::int32_t debug = 0;       // > 0: account replies never overwrite local state
  std::int32_t chap_dirty = 0;  // chap_days differ from the file
  std::int32_t chap_days[6] = {0, 0, 0, 0, 0, 0};
};
