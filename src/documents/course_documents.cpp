#include "documents/course_documents.h"

#include "documents/course_index.h"
#include "documents/document_names.h"
#include "documents/lesson_documents.h"
#include "documents/progress_documents.h"
#include "documents/quiz_documents.h"

namespace vanto::documents {

void CourseDocuments::WriteFullRefresh(const CStudy& study) {
  WriteLessonSet(study, 0);
  WriteRecentDays(kRecentDaysName, boxes_);
  WriteOverviewSet(study);
}

void CourseDocuments::WriteOverviewSet(const CStudy& study) {
  WriteCourseIndex(study, kCourseIndexName, boxes_);
  WriteStat(study, kStatName, boxes_);
  WriteBranch(study, kBranchName, boxes_);
}

void CourseDocuments::WriteLessonSet(const CStudy& study, int offset) {
  documents::WriteLessonSet(study, offset, random_, boxes_);
}

void CourseDocuments::WriteChapterFiles(const CStudy& study, int old_chapter, int new_chapter) {
  documents::WriteChapterFiles(study, old_chapter, new_chapter, boxes_);
}

int CourseDocuments::WriteGameQuiz(const CStudy& study, std::string_view path) {
  return documents::WriteGameQuiz(study, path, random_, boxes_);
}

int CourseDocuments::WritePuzzleHanzi(int index, const CStudy& study) {
  return documents::WritePuzzleHanzi(index, study, boxes_);
}

}  // namespace vanto::documents
