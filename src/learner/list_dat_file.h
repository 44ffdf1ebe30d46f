// The record file "list.dat": magic 0x00110606, record count N (both 32-bit
// little-endian), then N 68-byte `WordRecord`s.
//
// Saving is crash-safe without replacing the file. "list.dat" must keep its
// creation time, because "list.txt" wins over it when the text was modified
// after the record file was created; a save by rename would give it a new
// creation time at every exit, and a newer "list.txt" would never win again.
// So the file is rewritten in place, guarded by a journal "list.dat.new":
//   1. the new content goes to the journal, flushed to disk;
//   2. "list.dat" is overwritten in place (write, cut to length, flush);
//   3. the journal is deleted.
// A crash in step 1 leaves "list.dat" untouched and an incomplete journal; a
// crash in step 2 leaves a complete journal. At the next load a complete,
// valid journal (magic right, size exactly 8 + 68 × N) is copied into
// "list.dat" in place and deleted; any other journal is just deleted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "learner/word_record.h"

inline constexpr std::uint32_t kListDatMagic = 0x00110606;
inline constexpr std::size_t kListDatHeaderSize = 8;

// Path of the journal beside `list_path`.
std::string ListJournalPath(std::string_view list_path);

// Reads the record file into `records`. Returns 0, or the errno when the file
// cannot be opened. A short header, a wrong magic or a count of 0 give no
// records. A file shorter than its header announces keeps its complete records
// and zero-fills the rest; the count is capped at what the file can hold (a
// partial record counts) or the course length, whichever is larger, so an
// absurd count never allocates more than the file's size.
int ReadListDat(std::string_view list_path, std::vector<WordRecord>* records);

// The file's bytes for `records`.
std::string EncodeListDat(const std::vector<WordRecord>& records);

// Saves `records` by the journal scheme above. Returns 0, or the errno of the
// failed write of "list.dat".
int WriteListDat(std::string_view list_path, const std::vector<WordRecord>& records);

// Finishes or discards an interrupted save (see above). Returns true when a
// journal was copied into "list.dat".
bool RecoverListJournal(std::string_view list_path);
