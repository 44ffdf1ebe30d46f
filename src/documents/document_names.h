// The fixed file names of the documents, relative to the program folder.
#pragma once

namespace vanto::documents {

inline constexpr char kCourseIndexName[] = "main.xml";
inline constexpr char kBranchName[] = "content.xml";
inline constexpr char kRecentDaysName[] = "zjfx.xml";
inline constexpr char kCardLessonName[] = "config_CSHZ.xml";
inline constexpr char kPictureLessonName[] = "config_SKSZ.xml";
inline constexpr char kFollowMeReadName[] = "config_GDLX.xml";
inline constexpr char kDayQuizName[] = "game.xml";
inline constexpr char kShortQuiz0[] = "game0.xml";
inline constexpr char kShortQuiz1[] = "game1.xml";
inline constexpr char kShortQuiz2[] = "game2.xml";
inline constexpr char kStatName[] = "stat.xml";
inline constexpr char kChapterListFormat[] = "Chapter%d.xml";

// Mini-game quizzes, by the movie command that starts the game.
inline constexpr char kMouseQuizName[] = "hlg\\mouse\\config_mouse.xml";
inline constexpr char kZidaQuizName[] = "hlg\\Zida\\game.xml";
inline constexpr char kVizeQuizName[] = "hlg\\Vize\\game.xml";
inline constexpr char kTarqaQuizName[] = "hlg\\Tarqa\\game.xml";

inline constexpr char kPuzzleHanziName[] = "hlg\\puzzle\\hanzi.xml";

}  // namespace vanto::documents
