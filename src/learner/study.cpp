#include "learner/study.h"

#include "learner/clamped_int.h"
#include "learner/list_dat_file.h"
#include "learner/study_file.h"

CStudy::CStudy(DocumentSets* documents, vanto::platform::MessageBoxes* boxes)
    : documents_(documents), boxes_(boxes) {}

CStudy::~CStudy() {
  SaveOnExit();
}

bool CStudy::Load(const std::string& path) {
  ini_path = path;
  LoadStudyInfo(ini_path, *this);
  ReadMofa(ini_path, *this);
  if (!LoadWordList()) return false;
  if (documents_) documents_->WriteFullRefresh(*this);
  return true;
}

// Nothing is saved unless the character list was loaded, so a failed start
// leaves the stored files as they were.
bool CStudy::SaveOnExit() {
  if (words.empty() || list_path.empty()) return false;
  if (const int error = WriteListDat(list_path, words); error != 0 && boxes_) {
    boxes_->ShowFileError(list_path, error);
  }
  SaveStudyInfo(ini_path, *this);
  WriteMofa(*this, ini_path);
  words.clear();
  word_count = 0;
  return true;
}

void CStudy::AddMofa(int n) {
  if (n < 0 || n > 8) return;
  mofa_count[n + 1] = ClampedAdd(mofa_count[n + 1], 1);
  mofa_dirty = 1;
}

void CStudy::SubMofa(int n) {
  if (n < 0 || n > 8 || mofa_count[n + 1] <= 0) return;
  --mofa_count[n + 1];
  mofa_dirty = 1;
}
