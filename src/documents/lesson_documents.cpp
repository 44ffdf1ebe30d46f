#include "documents/lesson_documents.h"

#include <algorithm>
#include <cstdint>

#include "documents/document_names.h"
#include "documents/document_writer.h"
#include "documents/pieces.h"
#include "documents/quiz_documents.h"
#include "documents/study_words.h"
#include "documents/word_fields.h"
#include "documents/xml_escape.h"

namespace vanto::documents {
namespace {

constexpr const char* kCardTags[4] = {"text", "spell", "word", "sentence"};
constexpr int kShortQuizSize = 4;
constexpr int kFullDayGroup = 12;

void WriteCard(DocumentWriter& w, const WordRecord& record, int i) {
  const auto positions = CardPositions(record);
  w.Write("<zi>");
  for (int k = 0; k < 4; ++k) {
    if (positions[k].empty()) continue;
    w.Write(Piece("<%s>", kCardTags[k]));
    w.Write(EscapeContent(positions[k]));
    w.Write(Piece("</%s>", kCardTags[k]));
  }
  w.Write(Piece("<sound>ss/%d.mp3</sound>", i));
  if (positions[kWordField] != positions[kSentenceField]) {
    w.Write(Piece("<sound>ss/%dw.mp3</sound>", i));
  } else {
    w.Write("<sound>null.mp3</sound>");
  }
  w.Write(Piece("<sound>ss/%ds.mp3</sound>", i));
  w.Write(Piece("<option>bh/%d.swf</option>", i));
  w.Write(Piece("<option>tp/%d.swf</option>", i));
  w.Write("</zi>\r\n");
}

// The three short quizzes of four words: overlapping windows stepping by one
// word, or, for a day of twelve words, windows that follow each other.
void WriteShortQuizzes(const CStudy& study, int first, int last, RandomSource& random,
                       vanto::platform::MessageBoxes* boxes) {
  const std::int64_t step = study.group >= kFullDayGroup ? kShortQuizSize : 1;
  std::int64_t d = first;
  for (const char* path : {kShortQuiz0, kShortQuiz1, kShortQuiz2}) {
    if (d + kShortQuizSize > last) break;
    WriteQuiz(study, ClampToInt(d), ClampToInt(d + kShortQuizSize), path, random, boxes);
    d += step;
  }
}

}  // namespace

int WriteCardLesson(const CStudy& study, int first, int last, std::string_view path,
                    vanto::platform::MessageBoxes* boxes) {
  return WriteDocument(path, boxes, [&](DocumentWriter& w) {
    w.Write(kDeclaration);
    w.Write("<root><StudyUrl>SKSZ.swf</StudyUrl><sndUrl>sound/4.mp3</sndUrl><item>\r\n");
    for (int i = first; i < last; ++i) {
      if (const WordRecord* record = WordAt(study, i)) WriteCard(w, *record, i);
    }
    w.Write("</item></root>\r\n");
  });
}

int WritePictureLesson(int first, int last, std::string_view path,
                       vanto::platform::MessageBoxes* boxes) {
  return WriteDocument(path, boxes, [&](DocumentWriter& w) {
    w.Write(kDeclaration);
    w.Write("<root><StudyUrl>GDLX.swf</StudyUrl>\r\n");
    for (int i = first; i < last; ++i) {
      w.Write(
          Piece("<item type='0'><path>bh/%d.swf</path><sound>ss/%d.mp3</sound></item>\r\n", i, i));
      w.Write(
          Piece("<item type='1'><path>tp/%d.swf</path><sound>ss/%dw.mp3</sound></item>\r\n", i, i));
    }
    w.Write("</root>\r\n");
  });
}

int WriteFollowMeRead(const CStudy& study, int first, int last, std::string_view path,
                      vanto::platform::MessageBoxes* boxes) {
  return WriteDocument(path, boxes, [&](DocumentWriter& w) {
    w.Write(kDeclaration);
    w.Write("<root><sndUrl>sound/followMeRead.mp3</sndUrl>\r\n");
    for (int i = first; i < last; ++i) {
      const WordRecord* record = WordAt(study, i);
      if (!record) continue;
      w.Write("<item><text>");
      w.Write(EscapeContent(WordField(*record, kTextField)));
      w.Write(Piece("</text><sound>ss/%d.mp3</sound></item>\r\n", i));
    }
    w.Write("</root>\r\n");
  });
}

int LessonDayFirst(const CStudy& study, int offset) {
  const std::int64_t days_back =
      std::max<std::int64_t>(0, std::int64_t{study.day} - study.ch_day - offset);
  return ClampToInt(ChapterRowFor(study.chapter).first + std::int64_t{study.group} * days_back);
}

int WriteLessonSet(const CStudy& study, int offset, RandomSource& random,
                   vanto::platform::MessageBoxes* boxes) {
  const int first = LessonDayFirst(study, offset);
  const int last = ClampToInt(std::int64_t{first} + study.group);
  WriteCardLesson(study, first, last, kCardLessonName, boxes);
  WritePictureLesson(first, last, kPictureLessonName, boxes);
  WriteFollowMeRead(study, first, last, kFollowMeReadName, boxes);
  WriteQuiz(study, first, last, kDayQuizName, random, boxes);
  WriteShortQuizzes(study, first, last, random, boxes);
  return 1;
}

}  // namespace vanto::documents
