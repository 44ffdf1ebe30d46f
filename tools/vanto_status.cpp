// vanto-status <folder>: loads the learner's files in <folder> as the program
// does at start-up (without writing documents), prints where the learner
// stands, and saves at exit as the program would.
#include <cstdio>
#include <string>
#include <string_view>

#include "learner/chapter_table.h"
#include "learner/day_range.h"
#include "learner/study.h"
#include "learners/learner_standing.h"
#include "platform/file_system.h"
#include "platform/native_path.h"

namespace {

class ConsoleBoxes : public vanto::platform::MessageBoxes {
 public:
  void Show(const std::string& caption, const std::string& text) override {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  }
  void ShowFileError(const std::string& host_path, int error_number) override {
    std::fprintf(stderr, "file error %d on %s\n", error_number,
                 vanto::platform::NativePath(host_path).c_str());
  }
};

std::string_view Character(const WordRecord& record) {
  const std::string_view line(record.line, sizeof record.line);
  return line.substr(0, line.find_first_of(std::string_view("\t\0", 2)));
}

// Where the learner stands, read as the learners' picker reads it.
void PrintStanding(const vanto::learners::LearnerStanding& standing) {
  std::printf("day %d, chapter %d (%s), %d days in chapter, review %s\n", standing.day,
              standing.chapter + 1, ChapterTable[standing.chapter].name, standing.days_in_chapter,
              standing.done_today ? "done" : "open");
}

void PrintToday(const CStudy& study) {
  const long long first = DayRangeFirst(study, 0);
  std::printf("today: characters %lld to %lld:", first, first + study.group - 1);
  for (long long i = first; i < first + study.group; ++i) {
    if (i >= 0 && i < static_cast<long long>(study.words.size())) {
      std::printf(" %.*s", static_cast<int>(Character(study.words[i]).size()),
                  Character(study.words[i]).data());
    }
  }
  std::printf("\n");
}

void PrintCounters(const CStudy& study) {
  int learned = 0, fallible = 0, not_studied = 0;
  for (const WordRecord& record : study.words) {
    learned += record.test_count > 0;
    fallible += record.error_count > 0;
    not_studied += record.review_count == 0;
  }
  std::printf("characters: %u, learned %d, fallible %d, not studied %d\n", study.word_count,
              learned, fallible, not_studied);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vanto-status <folder>\n");
    return 2;
  }
  using namespace vanto::platform;
  if (!SetCurrentFolder(NativeToHostPath(argv[1]))) {
    std::fprintf(stderr, "cannot enter %s\n", argv[1]);
    return 1;
  }
  // Read before the load below, which starts a new study day on a new date.
  const auto standing = vanto::learners::ReadLearnerStanding(".");
  ConsoleBoxes boxes;
  CStudy study(nullptr, &boxes);
  if (!study.Load(JoinHostPath(CurrentFolder(), "Vanto.ini"))) {
    std::fprintf(stderr, "no character list in %s\n", argv[1]);
    return 1;
  }
  PrintStanding(standing);
  PrintToday(study);
  PrintCounters(study);
  return 0;
}
