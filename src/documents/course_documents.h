// The program's documents: writes the document sets at the learner model's
// moments, and the movie command's own documents (mini-game quizzes, the
// puzzle character, the overview set for "ceping"). Owns the random source
// of the quiz distractors, one for the whole program.
#pragma once

#include <string_view>

#include "documents/random_source.h"
#include "learner/document_sets.h"
#include "learner/study.h"
#include "platform/message_box.h"

namespace vanto::documents {

class CourseDocuments : public DocumentSets {
 public:
  // `boxes` shows file errors; it may be null.
  explicit CourseDocuments(vanto::platform::MessageBoxes* boxes) : boxes_(boxes) {}

  void WriteFullRefresh(const CStudy& study) override;
  void WriteOverviewSet(const CStudy& study) override;
  void WriteLessonSet(const CStudy& study, int offset) override;
  void WriteChapterFiles(const CStudy& study, int old_chapter, int new_chapter) override;

  // A mini-game's quiz, `path` being that game's document.
  int WriteGameQuiz(const CStudy& study, std::string_view path);
  int WritePuzzleHanzi(int index, const CStudy& study);

 private:
  vanto::platform::MessageBoxes* boxes_;
  RandomSource random_;
};

}  // namespace vanto::documents
