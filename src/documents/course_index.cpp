#include "documents/course_index.h"

#include <algorithm>
#include <chrono>

#include "documents/document_writer.h"
#include "documents/pieces.h"
#include "platform/file_system.h"
#include "platform/local_date.h"

namespace vanto::documents {
namespace {

constexpr int kHighestCard = 9;
constexpr int kFinishedStoryParts = 25;
constexpr int kTodaysStoryParts = 5;
constexpr int kStoriesPerBranch = 7;
constexpr int kRecentDays = 7;
// The most stories the course can have (the host keeps a flag for each); a
// day far beyond the course must not list a story for every day.
constexpr int kMaxStories = 64;

// 100 without wrong answers, 2 points less for each one; never clamped.
long long Score(const CStudy& study) {
  if (study.wrong_count <= 0) return 100;
  return (50LL - study.wrong_count) * 2;
}

void WriteMagicCards(DocumentWriter& w, const CStudy& study) {
  w.Write("<mofaData>\r\n");
  for (int n = 1; n <= kHighestCard; ++n) {
    if (!vanto::platform::PathExists(Piece("movie\\mf%d.swf", n))) break;
    w.Write(Piece("<mofa id=\"%d\" card=\"movie/mf%d.swf\">%d</mofa>", n, n, study.mofa_count[n]));
  }
  w.Write("</mofaData>\r\n");
}

// One story entry: parts first_part .. first_part + parts - 1 of story s.
void WriteStoryEntry(DocumentWriter& w, int s, int first_part, int parts, long long score) {
  w.Write("<index>\r\n");
  w.Write(Piece("<skip>gs%d/Synopsis%d.swf</skip>\r\n", s, s));
  w.Write("<gushi>");
  for (int k = 0; k < parts; ++k) w.Write(Piece("<path>gs%d/%d.swf</path>", s, first_part + k));
  w.Write(Piece("<path>gs%d/game.swf</path>", s));
  w.Write("</gushi>\r\n");
  w.Write(Piece("<result>%lld</result>", score));
  w.Write(Piece("<yugao>gs%d/yugao%d.swf</yugao>", s, s));
  w.Write("</index>\r\n");
}

void WriteCourseIndexBody(DocumentWriter& w, const CStudy& study) {
  const int s = study.story_index;
  const int p = study.story_part;
  w.Write(kDeclaration);
  w.Write("<root>\r\n");
  w.Write(Piece("<ce>%d</ce><studayBool>%d</studayBool>", s, study.review));
  w.Write("<StudyUrl>CSHZ.swf</StudyUrl>\r\n");
  w.Write(Piece("<skipSnd>gs%d/%d%c.mp3</skipSnd>", s, s, p > 0 ? 'b' : 'a'));
  WriteMagicCards(w, study);
  const long long score = Score(study);
  for (int i = 0; i < std::min(s, kMaxStories); ++i) {
    WriteStoryEntry(w, i, 0, kFinishedStoryParts, score);
  }
  WriteStoryEntry(w, s, p, kTodaysStoryParts, score);
  w.Write("</root>\r\n");
}

std::chrono::sys_days DateOf(int yyyymmdd) {
  using namespace std::chrono;
  return sys_days(year(yyyymmdd / 10000) / month(static_cast<unsigned>(yyyymmdd / 100 % 100)) /
                  day(static_cast<unsigned>(yyyymmdd % 100)));
}

}  // namespace

int WriteCourseIndex(const CStudy& study, std::string_view path,
                     vanto::platform::MessageBoxes* boxes) {
  return WriteDocument(path, boxes, [&](DocumentWriter& w) { WriteCourseIndexBody(w, study); });
}

int WriteBranch(const CStudy& study, std::string_view path, vanto::platform::MessageBoxes* boxes) {
  return WriteDocument(path, boxes, [&](DocumentWriter& w) {
    w.Write(kDeclaration);
    w.Write("<root>\r\n");
    w.Write(Piece("<mainStr>MainBranch%d.swf</mainStr>", study.story_index / kStoriesPerBranch));
    w.Write("</root>\r\n");
  });
}

int WriteRecentDays(std::string_view path, vanto::platform::MessageBoxes* boxes) {
  return WriteRecentDays(path, vanto::platform::LocalDateNumber(), boxes);
}

int WriteRecentDays(std::string_view path, int today, vanto::platform::MessageBoxes* boxes) {
  using namespace std::chrono;
  const sys_days start = DateOf(today);
  return WriteDocument(path, boxes, [&](DocumentWriter& w) {
    w.Write(kDeclaration);
    w.Write("<days>\r\n");
    for (int i = 0; i < kRecentDays; ++i) {
      const year_month_day date(start - days(i));
      w.Write(Piece("<day time='%u-%u' storyId='%d'/>\r\n", static_cast<unsigned>(date.month()),
                    static_cast<unsigned>(date.day()), i));
    }
    w.Write("</days>\r\n");
  });
}

}  // namespace vanto::documents
