// A document writer that records which document sets were asked for
// ("full", "overview", "lesson <offset>", "chapters <old> <new>").
#pragma once

#include <string>
#include <vector>

#include "learner/document_sets.h"

namespace vanto::testing {

class RecordingDocuments : public DocumentSets {
 public:
  void WriteFullRefresh(const CStudy&) override { calls.push_back("full"); }
  void WriteOverviewSet(const CStudy&) override { calls.push_back("overview"); }
  void WriteLessonSet(const CStudy&, int offset) override {
    calls.push_back("lesson " + std::to_string(offset));
  }
  void WriteChapterFiles(const CStudy&, int old_chapter, int new_chapter) override {
    calls.push_back("chapters " + std::to_string(old_chapter) + " " + std::to_string(new_chapter));
  }
  std::vector<std::string> calls;
};

}  // namespace vanto::testing
