#include "documents/quiz_documents.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "documents/document_names.h"
#include "documents/document_writer.h"
#include "documents/pieces.h"
#include "documents/study_words.h"
#include "documents/word_fields.h"
#include "documents/xml_escape.h"

namespace vanto::documents {
namespace {

constexpr int kDistractors = 3;
constexpr std::int64_t kDrawRange = 32768;  // a draw is 0 to 32767
constexpr int kLastDayWithCeping = 34;

enum class SoundPath { kLesson, kGame };

// Words that a draw below `last` can reach and that can stand as a
// distractor for word i: they exist and their line holds a TAB.
int CountDistractorCandidates(const CStudy& study, int i, int last) {
  const std::int64_t reach = std::min({std::int64_t{last}, AvailableWords(study), kDrawRange});
  int count = 0;
  for (std::int64_t r = 0; r < reach; ++r) {
    if (r != i && DistractorText(study.words[static_cast<std::size_t>(r)])) ++count;
  }
  return count;
}

// Draws three other words below `last` as wrong answers. When the range
// holds fewer candidates, as many as exist are written, so the draw always
// ends; with enough candidates the draws are exactly the usual ones.
void WriteDistractors(DocumentWriter& w, const CStudy& study, int i, int last,
                      RandomSource& random) {
  const int wanted = std::min(kDistractors, CountDistractorCandidates(study, i, last));
  std::vector<int> chosen = {i};
  while (static_cast<int>(chosen.size()) <= wanted) {
    const int r = random.Next() % last;
    if (std::find(chosen.begin(), chosen.end(), r) != chosen.end()) continue;
    const WordRecord* record = WordAt(study, r);
    if (!record) continue;
    const auto text = DistractorText(*record);
    if (!text) continue;
    w.Write("<text flag='0'>");
    w.Write(EscapeContent(*text));
    w.Write("</text>\r\n");
    chosen.push_back(r);
  }
}

void WriteItem(DocumentWriter& w, const CStudy& study, int i, int last, SoundPath sound,
               RandomSource& random) {
  const WordRecord* record = WordAt(study, i);
  if (!record) return;
  w.Write("<item>\r\n");
  w.Write("<pinyin>");
  w.Write(EscapeContent(WordField(*record, kSpellField)));
  w.Write("</pinyin>\r\n");
  w.Write(Piece(
      sound == SoundPath::kLesson ? "<snd>ss/%d.mp3</snd>\r\n" : "<snd>./ss/%d.mp3</snd>\r\n", i));
  w.Write("<text flag='1'>");
  w.Write(EscapeContent(WordField(*record, kTextField)));
  w.Write("</text>\r\n");
  WriteDistractors(w, study, i, last, random);
  w.Write("</item>\r\n");
}

void WriteItems(DocumentWriter& w, const CStudy& study, int first, int last, SoundPath sound,
                RandomSource& random) {
  w.Write("<group>\r\n");
  for (int i = first; i < last; ++i) WriteItem(w, study, i, last, sound, random);
  w.Write("</group>\r\n");
}

}  // namespace

int WriteQuiz(const CStudy& study, int first, int last, std::string_view path, RandomSource& random,
              vanto::platform::MessageBoxes* boxes) {
  return WriteDocument(path, boxes, [&](DocumentWriter& w) {
    w.Write(kDeclaration);
    w.Write("<root>\r\n");
    w.Write(
        "<config><sound_true>sound/right1.mp3</sound_true><sound_false>sound/wrong1.mp3"
        "</sound_false><sound_right>sound/right.mp3</sound_right><sound_wrong>sound/wrong.mp3"
        "</sound_wrong></config>\r\n");
    w.Write(study.day > kLastDayWithCeping ? "<ceping>kong.swf</ceping>\r\n"
                                           : "<ceping>ceping.swf</ceping>\r\n");
    w.Write("<sn>UI.swf</sn>\r\n");
    WriteItems(w, study, first, last, SoundPath::kLesson, random);
    w.Write("</root>\r\n");
  });
}

GameRange GameQuizRange(const CStudy& study) {
  std::int64_t k = std::int64_t{study.day} - study.ch_day;
  if (k < 0) k = study.day;
  const std::int64_t chapter_first = ChapterRowFor(study.chapter).first;
  std::int64_t s = chapter_first + std::int64_t{study.group} * k;
  const std::int64_t last = s + study.group;
  if (s >= study.group) s = std::max(s - study.group, chapter_first);
  return {ClampToInt(s), ClampToInt(last)};
}

int WriteGameQuiz(const CStudy& study, std::string_view path, RandomSource& random,
                  vanto::platform::MessageBoxes* boxes) {
  const GameRange range = GameQuizRange(study);
  return WriteDocument(path, boxes, [&](DocumentWriter& w) {
    w.Write(kDeclaration);
    w.Write("<root>\r\n");
    w.Write(
        "<config><sound_right>sound/right.mp3</sound_right><sound_wrong>sound/wrong.mp3"
        "</sound_wrong><sound_true>sound/right1.mp3</sound_true><sound_false>sound/wrong1.mp3"
        "</sound_false></config>\r\n");
    w.Write("<ceping>ceping.swf</ceping>\r\n");
    WriteItems(w, study, range.first, range.last, SoundPath::kGame, random);
    w.Write("</root>\r\n");
  });
}

int WritePuzzleHanzi(int index, const CStudy& study, vanto::platform::MessageBoxes* boxes) {
  return WriteDocument(kPuzzleHanziName, boxes, [&](DocumentWriter& w) {
    w.Write(kDeclaration);
    w.Write("<root>\r\n");
    if (const WordRecord* record = WordAt(study, index)) {
      w.Write("<hanzi>");
      w.Write(EscapeContent(WordField(*record, kTextField)));
      w.Write(Piece("</hanzi><sound>./ss/%d.mp3</sound>", index));
    }
    w.Write("</root>\r\n");
  });
}

}  // namespace vanto::documents
