#include "documents/progress_documents.h"

#include <cstdint>

#include "documents/document_names.h"
#include "documents/document_writer.h"
#include "documents/pieces.h"
#include "documents/study_words.h"
#include "documents/two_decimals.h"
#include "documents/word_fields.h"
#include "documents/xml_escape.h"
#include "platform/file_system.h"

namespace vanto::documents {
namespace {

constexpr int kStatListLimit = 9;

void WriteWordLine(DocumentWriter& w, const WordRecord& record) {
  w.Write("<word hanzi='");
  w.Write(EscapeAttribute(WordField(record, kTextField), '\''));
  w.Write(Piece("' learnNum='%d' rate='", LearnNum(record)));
  w.Write(FormatTwoDecimals(SuccessRate(record)));
  w.Write("'/>\r\n");
}

// The word lines of the chapter's words that pass `keep`, at most nine.
template <class Keep>
void WriteStatList(DocumentWriter& w, const CStudy& study, const ChapterRow& row,
                   const char* element, Keep keep) {
  w.Write(Piece("<%s>\r\n", element));
  int written = 0;
  for (std::int64_t i = row.first; i < row.first + row.size && written < kStatListLimit; ++i) {
    const WordRecord* record = WordAt(study, i);
    if (!record || !keep(*record)) continue;
    WriteWordLine(w, *record);
    ++written;
  }
  w.Write(Piece("</%s>\r\n", element));
}

void WriteChapterElement(DocumentWriter& w, const ChapterRow& row, const char* extra) {
  w.Write("<chapter name='");
  w.Write(EscapeAttribute(row.name, '\''));
  w.Write(Piece("' wordNum='%d'%s>\r\n", row.size, extra));
}

}  // namespace

int LearnNum(const WordRecord& record) {
  return record.review_count + record.test_count;
}

float SuccessRate(const WordRecord& record) {
  const int learn_num = LearnNum(record);
  if (learn_num == 0) return 0.0f;
  if (learn_num == 1 && record.error_count == 0) return 0.1f;
  return 1.0f - static_cast<float>(record.error_count + 1) / static_cast<float>(learn_num + 1);
}

int WriteStat(const CStudy& study, std::string_view path, vanto::platform::MessageBoxes* boxes) {
  const ChapterRow& row = ChapterRowFor(study.chapter);
  return WriteDocument(path, boxes, [&](DocumentWriter& w) {
    w.Write(kDeclaration);
    w.Write("<root>\r\n");
    w.Write(Piece("<registerDays>%lld</registerDays>", static_cast<long long>(study.reg_day) + 1));
    w.Write(Piece("<learnDays>%lld</learnDays>", static_cast<long long>(study.day) + 1));
    w.Write(Piece("<learnWords>%lld</learnWords>",
                  (static_cast<long long>(study.day) + 1) * study.group));
    WriteChapterElement(w, row, "");
    WriteStatList(w, study, row, "learned", [](const WordRecord& r) { return r.test_count > 0; });
    WriteStatList(w, study, row, "fallibility",
                  [](const WordRecord& r) { return r.error_count > 0; });
    WriteStatList(w, study, row, "learning",
                  [](const WordRecord& r) { return r.review_count == 0; });
    w.Write("</chapter>\r\n");
    w.Write("</root>\r\n");
  });
}

int WriteChapterList(int chapter, const CStudy& study, std::string_view path,
                     vanto::platform::MessageBoxes* boxes) {
  const ChapterRow& row = ChapterRowFor(chapter);
  const std::int64_t first = row.first;
  const std::int64_t last = first + row.size;
  if (first > study.word_count || last > study.word_count) return 0;
  return WriteDocument(path, boxes, [&](DocumentWriter& w) {
    w.Write(kDeclaration);
    WriteChapterElement(w, row,
                        chapter == study.chapter ? " isCurrent='true'" : " isCurrent='false'");
    for (std::int64_t i = first; i < last; ++i) {
      if (const WordRecord* record = WordAt(study, i)) WriteWordLine(w, *record);
    }
    w.Write("</chapter>\r\n");
  });
}

int WriteChapterFiles(const CStudy& study, int old_chapter, int new_chapter,
                      vanto::platform::MessageBoxes* boxes) {
  for (int i = 0; i < kChapterCount; ++i) {
    const std::string path = Piece(kChapterListFormat, i);
    if (old_chapter == new_chapter || i == old_chapter || i == new_chapter ||
        !vanto::platform::PathExists(path)) {
      WriteChapterList(i, study, path, boxes);
    }
  }
  return 1;
}

}  // namespace vanto::documents
