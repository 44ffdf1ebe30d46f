// Quiz and game documents: the day's quizzes ("game.xml", "game0.xml" to
// "game2.xml"), the mini-game quizzes under "hlg" and the puzzle's character
// ("hlg\puzzle\hanzi.xml").
#pragma once

#include <string_view>

#include "documents/random_source.h"
#include "learner/study.h"
#include "platform/message_box.h"

namespace vanto::documents {

// One quiz item per word of [first, last), distractors drawn below `last`.
// Returns 1 when written, 0 on a file error.
int WriteQuiz(const CStudy& study, int first, int last, std::string_view path, RandomSource& random,
              vanto::platform::MessageBoxes* boxes);

// The words a mini-game asks: the previous study day's and today's, never
// reaching back into an earlier chapter. [first, last).
struct GameRange {
  int first = 0;
  int last = 0;
};
GameRange GameQuizRange(const CStudy& study);

int WriteGameQuiz(const CStudy& study, std::string_view path, RandomSource& random,
                  vanto::platform::MessageBoxes* boxes);

// The character of puzzle picture `index`; an empty root when the list has no
// such word.
int WritePuzzleHanzi(int index, const CStudy& study, vanto::platform::MessageBoxes* boxes);

}  // namespace vanto::documents
