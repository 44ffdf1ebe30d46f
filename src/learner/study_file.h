// Readers and writers of the study file "Vanto.ini" (also used on the account
// reply file, which has the same sections), on plain data: what a change
// brings beyond the file is the learner model's business. Every function
// takes the host path of the file to use; an empty path where a file is
// optional means "none".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "learner/study_info.h"

// Section "study" and "Chap" "days" into `info`, with the value corrections
// and the day roll-over (a new date writes "today" and "review" at once).
void LoadStudyInfo(std::string_view file, SINFO& info);

// Nine keys of "study" and, when `chap_dirty` is set, the chapter days.
void SaveStudyInfo(std::string_view file, const SINFO& info);

// One key of section "study" written as a decimal number.
bool WriteStudyKey(std::string_view key, int value, std::string_view file);

// "chap" "days": stored values that differ from `info.chap_days` replace them
// and set `chap_dirty`.
void ReadChapDays(std::string_view file, SINFO& info);

// The list text of `chap_days` when `chap_dirty` is set (stored as "Chap"
// "days" when `file` is not empty), otherwise empty text.
std::string WriteChapDays(const SINFO& info, std::string_view file);

// "mofa" "count" into the ten magic-card counters; counters the file lacks
// keep their values.
void ReadMofaCounts(std::string_view file, std::int32_t (&counts)[10]);

// The list text of the counters, stored as "mofa" "count" when `file` is not
// empty.
std::string WriteMofaCounts(const std::int32_t (&counts)[10], std::string_view file);

// "name=%s&psw=%s" from "user" "name" and "pswd", or empty text when either
// is empty or absent.
std::string ReadLogin(std::string_view file);
void SaveLogin(std::string_view file, std::string_view name, std::string_view password);
