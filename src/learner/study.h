// The learner model: where the child stands in the course, the character
// list with its counters, the magic cards, and the paths of its files. It
// reads and writes its files through study_file.h and list_dat_file.h and
// decides what else a change brings (documents rewritten, errors shown).
//
// Its methods live in study.cpp (lifecycle, magic cards, scheduling, test
// answers, the account queries) and word_list.cpp (the character list
// loaders).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "learner/document_sets.h"
#include "learner/study_info.h"
#include "learner/word_record.h"
#include "platform/message_box.h"

class CStudy : public SINFO {
 public:
  // `documents` and `boxes` may be null (nothing is written / shown).
  explicit CStudy(DocumentSets* documents = nullptr,
                  vanto::platform::MessageBoxes* boxes = nullptr);
  virtual ~CStudy();
  CStudy(const CStudy&) = delete;
  CStudy& operator=(const CStudy&) = delete;

  int parent_mode = 0;
  int wrong_count = 0;
  int mofa_dirty = 0;
  int mofa_count[10] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  std::string ini_path;   // host path of "Vanto.ini"
  std::string list_path;  // host path of "list.dat"
  std::uint32_t word_count = 0;
  std::vector<WordRecord> words;  // empty = none loaded

  // Lifecycle: read the study file and the character list, write the
  // documents; at exit store everything back (run by the destructor).
  bool Load(const std::string& path);
  bool SaveOnExit();

  // Character list ("list.txt" / "list.dat" in the working folder).
  bool LoadWordList();
  bool ParseListText(const std::string& text_path);

  // Scheduling and answers.
  void ChangeChapter(int new_chapter);
  int RecordAnswer(const std::string& text, bool right);
  void MarkReviewed();
  void EnterParentMode(int value);
  std::string DayRangeQuery(int offset) const;
  std::string ChapDaysQuery() const;

  // Magic-card changes made directly by the movie ("addMofa", "subMofa").
  void AddMofa(int n);
  void SubMofa(int n);

  DocumentSets* documents() const { return documents_; }
  vanto::platform::MessageBoxes* message_boxes() const { return boxes_; }

 private:
  DocumentSets* documents_;
  vanto::platform::MessageBoxes* boxes_;
};

// "mofa" "count" of `file` into `mofa_count`; clears `mofa_dirty`.
void ReadMofa(std::string_view file, CStudy& study);

// When cards changed outside parent mode: the list text of `mofa_count`,
// stored when `file` is not empty, and the overview documents rewritten.
// Otherwise empty text and nothing done.
std::string WriteMofa(CStudy& study, std::string_view file);

// The parent's login in the study file (see ReadLogin and SaveLogin).
std::string ReadCredentials(const CStudy& study);
void SaveCredentials(const CStudy& study, std::string_view name, std::string_view password);
