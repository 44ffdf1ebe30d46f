// Readers and writers of the study file "Vanto.ini" (also used on the account
// reply file, which has the same sections). Every function takes the host path
// of the file to use; an empty path where a file is optional means "none".
#pragma once

#include <string>
#include <string_view>

#include "learner/study.h"

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

// "mofa" "count" into `mofa_count`; clears `mofa_dirty`.
void ReadMofa(std::string_view file, CStudy& study);

// When cards changed outside parent mode: the list text of `mofa_count`,
// stored when `file` is not empty, and the overview documents rewritten.
// Otherwise empty text and nothing done.
std::string WriteMofa(CStudy& study, std::string_view file);

// "name=%s&psw=%s" from "user" "name" and "pswd", or empty text when either
// is empty or absent.
std::string ReadCredentials(const CStudy& study);
void SaveCredentials(const CStudy& study, std::string_view name, std::string_view password);
