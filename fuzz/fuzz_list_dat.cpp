// The record file reader and the recovery of an interrupted save on any bytes.
#include <cstdlib>
#include <string>

#include "fuzz_temp_file.h"
#include "learner/chapter_table.h"
#include "learner/list_dat_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzTempFile list("list.dat");
  list.Write(data, size);
  std::vector<WordRecord> records;
  if (ReadListDat(list.HostPath(), &records) != 0) std::abort();
  // The allocation never exceeds what the file holds or the course length.
  const std::size_t cap = size / sizeof(WordRecord) + 1;
  if (records.size() > cap && records.size() > static_cast<std::size_t>(kCourseEnd)) std::abort();

  // The same bytes as a journal: a valid one replaces the file, any other is dropped.
  FuzzTempFile journal("list.dat.new");
  journal.Write(data, size);
  const bool copied = RecoverListJournal(list.HostPath());
  if (copied && EncodeListDat(records).size() != size) std::abort();
  if (vanto::platform::NativePath(ListJournalPath(list.HostPath())) != journal.native()) {
    std::abort();
  }
  return 0;
}
