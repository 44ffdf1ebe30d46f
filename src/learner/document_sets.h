// The learner model asks for its documents to be rewritten through this
// interface; the documents layer implements it. Each call writes the whole
// set synchronously before it returns.
#pragma once

class CStudy;

class DocumentSets {
 public:
  virtual ~DocumentSets() = default;
  // Lesson set for today, "zjfx.xml", then the overview set.
  virtual void WriteFullRefresh(const CStudy& study) = 0;
  // "main.xml", "stat.xml", "content.xml".
  virtual void WriteOverviewSet(const CStudy& study) = 0;
  // The three lesson documents for the day `offset` days back (0 = today).
  virtual void WriteLessonSet(const CStudy& study, int offset) = 0;
  // The chapter lists of the old and the new chapter; -1 for both: all six.
  virtual void WriteChapterFiles(const CStudy& study, int old_chapter, int new_chapter) = 0;
};
