#include "learner/study_file.h"

#include <cstdint>
#include <string>

#include "learner/clamped_int.h"
#include "learner/number_list.h"
#include "platform/local_date.h"
#include "platform/profile.h"

namespace {

using vanto::platform::ReadProfileInt;

constexpr std::string_view kStudy = "study";

void ReadStudySection(std::string_view file, SINFO& info) {
  info.day = ReadProfileInt(kStudy, "day", 0, file);
  info.group = ReadProfileInt(kStudy, "group", 6, file);
  info.gushi = ReadProfileInt(kStudy, "gushi", 5, file);
  info.today = ReadProfileInt(kStudy, "today", 0, file);
  info.dtime = ReadProfileInt(kStudy, "dtime", 0, file);
  info.chapter = ReadProfileInt(kStudy, "chapter", 0, file);
  info.ch_day = ReadProfileInt(kStudy, "ch_day", 0, file);
  info.reg_day = ReadProfileInt(kStudy, "reg_day", 0, file);
  info.review = ReadProfileInt(kStudy, "review", 0, file);
  info.debug = ReadProfileInt(kStudy, "debug", 0, file);
}

// Brings stored values back into their ranges.
void CorrectStudyValues(SINFO& info) {
  if (info.day < 0) info.day = 0;
  if (info.ch_day > info.day) {
    info.ch_day = info.day;
  } else if (info.ch_day < 0) {
    info.ch_day = 0;
  }
  if (info.chapter < 0 || info.chapter > 5) {
    info.chapter = 0;
    info.ch_day = 0;
  }
  if (info.group < 1 || info.gushi < 1 || info.group > 12 || info.gushi > 12) {
    info.group = 6;
    info.gushi = 5;
  }
}

// A load on a new calendar date starts a new study day (any change of date,
// forward or backward, counts once). The new date is stored at once.
void RollOverDay(std::string_view file, SINFO& info) {
  const int date = vanto::platform::LocalDateNumber();
  if (date == info.today) return;
  info.review = 0;
  if (info.today > 0) {
    info.day = ClampedAdd(info.day, 1);
    info.new_day = 1;
  }
  info.today = date;
  WriteStudyKey("today", date, file);
  WriteStudyKey("review", 0, file);
}

std::string ReadNumberListText(std::string_view section, std::string_view key,
                               std::string_view file) {
  return vanto::platform::ReadProfileString(section, key, "", file, kNumberListMaxChars + 1);
}

}  // namespace

void LoadStudyInfo(std::string_view file, SINFO& info) {
  ReadStudySection(file, info);
  CorrectStudyValues(info);
  RollOverDay(file, info);
  info.chap_dirty = 0;
  info.story_index = info.day / info.gushi;
  info.story_part = (info.day % info.gushi) * info.gushi;
  for (auto& days : info.chap_days) days = 0;
  ReadChapDays(file, info);
}

void SaveStudyInfo(std::string_view file, const SINFO& info) {
  WriteStudyKey("day", info.day, file);
  WriteStudyKey("group", info.group, file);
  WriteStudyKey("gushi", info.gushi, file);
  WriteStudyKey("today", info.today, file);
  WriteStudyKey("dtime", info.dtime, file);
  WriteStudyKey("chapter", info.chapter, file);
  WriteStudyKey("ch_day", info.ch_day, file);
  WriteStudyKey("reg_day", info.reg_day, file);
  WriteStudyKey("review", info.review, file);
  WriteChapDays(info, file);
}

bool WriteStudyKey(std::string_view key, int value, std::string_view file) {
  return vanto::platform::WriteProfileString(kStudy, key, std::to_string(value), file);
}

void ReadChapDays(std::string_view file, SINFO& info) {
  std::int32_t stored[6];
  for (int i = 0; i < 6; ++i) stored[i] = info.chap_days[i];
  ParseNumberList(ReadNumberListText("chap", "days", file), stored, 6);
  for (int i = 0; i < 6; ++i) {
    if (stored[i] != info.chap_days[i]) {
      info.chap_days[i] = stored[i];
      info.chap_dirty = 1;
    }
  }
}

std::string WriteChapDays(const SINFO& info, std::string_view file) {
  if (!info.chap_dirty) return {};
  std::string text = FormatNumberList(info.chap_days, 6);
  if (!file.empty()) vanto::platform::WriteProfileString("Chap", "days", text, file);
  return text;
}

void ReadMofaCounts(std::string_view file, std::int32_t (&counts)[10]) {
  ParseNumberList(ReadNumberListText("mofa", "count", file), counts, 10);
}

std::string WriteMofaCounts(const std::int32_t (&counts)[10], std::string_view file) {
  std::string text = FormatNumberList(counts, 10);
  if (!file.empty()) vanto::platform::WriteProfileString("mofa", "count", text, file);
  return text;
}

std::string ReadLogin(std::string_view file) {
  using vanto::platform::ReadProfileString;
  const std::string name = ReadProfileString("user", "name", "", file, 128);
  const std::string password = ReadProfileString("user", "pswd", "", file, 128);
  if (name.empty() || password.empty()) return {};
  return "name=" + name + "&psw=" + password;
}

void SaveLogin(std::string_view file, std::string_view name, std::string_view password) {
  vanto::platform::WriteProfileString("user", "name", name, file);
  vanto::platform::WriteProfileString("user", "pswd", password, file);
}
