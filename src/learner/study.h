// The learner model: where the child stands in the course, the character
// list with its counters, the magic cards, and the paths of its files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "learner/document_sets.h"
#include "learner/word_record.h"
#include "platform/message_box.h"

// The persisted study position. Plain data, no virtual functions.
struct SINFO {
  std::int32_t new_day = 0;  // 1 when a load found a new date after an earlier one
  std::int32_t today = 0;    // yyyymmdd of the last load; 0 = never loaded
  std::int32_t dtime = 0;    // kept and stored back unchanged
  std::int32_t reg_day = 0;  // days since registration (from files only)
  std::int32_t day = 0;      // study-day counter
  std::int32_t chapter = 0;  // 0 to 5
  std::int32_t ch_day = 0;   // value of `day` at which the chapter's own count is zero
  std::int32_t review = 0;   // 1 once today's study was finished
  std::int32_t group = 6;    // characters per study day, 1 to 12
  std::int32_t gushi = 5;    // story setting, 1 to 12
  std::int32_t story_index = 0;
  std::int32_t story_part = 0;
  std::int32_t debug = 0;       // > 0: account replies never overwrite local state
  std::int32_t chap_dirty = 0;  // chap_days differ from the file
  std::int32_t chap_days[6] = {0, 0, 0, 0, 0, 0};
};

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
