// "list.txt" parsing: any bytes give records of the fixed layout.
#include <cstdlib>
#include <cstring>

#include "fuzz_temp_file.h"
#include "learner/study.h"
#include "learner/word_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzTempFile file("list.txt");
  file.Write(data, size);
  CStudy study;
  const bool loaded = study.ParseListText(file.HostPath());
  if (loaded != (study.word_count > 0) || study.word_count != study.words.size()) std::abort();
  for (const WordRecord& record : study.words) {
    // Either no text at all, or the line, a TAB and a NUL within the record.
    const void* tab = std::memchr(record.line, '\t', sizeof record.line);
    if (record.line[0] != '\0' && tab == nullptr) std::abort();
    if (record.review_count || record.test_count || record.error_count) std::abort();
  }
  study.words.clear();  // nothing to save
  return 0;
}
