// The course table: six chapters over a flat list of 1200 characters, plus
// rows that no valid chapter index reaches (kept because ranges and caps
// computed from them are part of the course's behaviour).
#pragma once

struct ChapterRow {
  const char* name;  // UTF-8 Chinese numeral, written into documents
  int first;         // index of the chapter's first character
  int size;          // number of characters
};

inline constexpr int kChapterCount = 6;
inline constexpr int kCourseEnd = 1200;  // first index past the course

inline constexpr ChapterRow ChapterTable[10] = {
    {"一", 0, 60},    {"二", 60, 120},   {"三", 180, 180}, {"四", 360, 240}, {"五", 600, 300},
    {"六", 900, 300}, {"七", 1200, 300}, {"八", 1500, 0},  {"九", 0, 0},     {"十", 0, 0},
};
