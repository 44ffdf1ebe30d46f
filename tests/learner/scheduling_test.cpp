// Day ranges, chapter changes, finished days, parent mode and answers.
#include <climits>

#include "learner/day_range.h"
#include "learner_fixture.h"
#include "platform/codepage.h"
#include "platform/profile.h"

namespace learner_test {
namespace {

class SchedulingTest : public ::testing::Test {
 protected:
  SchedulingTest() : study(&documents) {
    study.ini_path = "Vanto.ini";
    study.day = 12;
    study.ch_day = 10;
    study.chapter = 1;
  }
  ~SchedulingTest() override { study.words.clear(); }  // no save at exit

  void GiveWords(int count) {
    CStudy loader;
    WriteFile("list.txt", CourseText(count));
    ASSERT_TRUE(loader.ParseListText("list.txt"));
    study.words.swap(loader.words);
    study.word_count = static_cast<std::uint32_t>(study.words.size());
  }

  WorkingFolder folder;
  RecordingDocuments documents;
  CStudy study;
};

TEST_F(SchedulingTest, DayRangeStartsAtTheChapterAndIsClampedThere) {
  EXPECT_EQ(DayRangeFirst(study, 0), 72);
  EXPECT_EQ(DayRangeFirst(study, 1), 66);
  EXPECT_EQ(DayRangeFirst(study, 5), 60);
  EXPECT_EQ(DayRangeFirst(study, INT_MAX), 60);
  EXPECT_EQ(study.DayRangeQuery(1), "day=13&from=78&to=90");
  EXPECT_EQ(study.DayRangeQuery(-5), "day=7&from=42&to=54");  // no lower bound
  study.day = INT_MAX;
  study.ch_day = 0;
  EXPECT_EQ(study.DayRangeQuery(1), "day=2147483648&from=12884901948&to=12884901960");
}

TEST_F(SchedulingTest, ChangeChapterParksAndResumesDays) {
  study.chapter = 0;
  study.ch_day = 0;
  study.ChangeChapter(2);
  EXPECT_EQ(study.ChapDaysQuery(), "12,0,0,0,0,0,&ch_day=12");
  EXPECT_EQ(study.chapter, 2);
  EXPECT_EQ(study.chap_dirty, 1);
  study.day = 15;
  study.review = 1;
  study.ChangeChapter(0);
  EXPECT_EQ(study.ch_day, 3);  // chapter 0 resumes at its 12 days
  EXPECT_EQ(study.ChapDaysQuery(), "12,0,3,0,0,0,&ch_day=3");
  EXPECT_EQ(study.review, 0);
  EXPECT_EQ(documents.calls,
            (std::vector<std::string>{"full", "chapters 0 2", "full", "chapters 2 0"}));
}

TEST_F(SchedulingTest, ChangeChapterFillsShortfallIntoChapterZero) {
  study.ChangeChapter(3);  // chapter 1 parks 2 days; 10 days are unaccounted for
  EXPECT_EQ(study.ChapDaysQuery(), "10,2,0,0,0,0,&ch_day=12");
}

TEST_F(SchedulingTest, ChangeChapterIgnoresSameAndInvalidChapters) {
  for (int n : {1, 6, -1}) study.ChangeChapter(n);
  EXPECT_TRUE(documents.calls.empty());
  EXPECT_EQ(study.chap_dirty, 0);
}

TEST_F(SchedulingTest, ChangeChapterWithHugeStoredDaysDoesNotOverflow) {
  study.chap_days[2] = INT_MAX;
  study.day = INT_MAX;
  study.ch_day = -5;
  study.ChangeChapter(2);
  EXPECT_EQ(study.chap_days[1], INT_MAX);
  EXPECT_EQ(study.ch_day, 0);
}

TEST_F(SchedulingTest, MarkReviewedCountsTodaysRangeAndStoresAtOnce) {
  GiveWords(80);
  study.MarkReviewed();
  EXPECT_EQ(study.review, 1);
  EXPECT_EQ(vanto::platform::ReadProfileInt("study", "review", 0, "Vanto.ini"), 1);
  EXPECT_EQ(documents.calls, std::vector<std::string>{"overview"});
  EXPECT_EQ(study.words[71].review_count, 0);
  EXPECT_EQ(study.words[72].review_count, 1);
  EXPECT_EQ(study.words[77].review_count, 1);
  EXPECT_EQ(study.words[78].review_count, 0);
}

TEST_F(SchedulingTest, MarkReviewedSkipsIndexesPastTheList) {
  GiveWords(75);  // today's range is 72..77
  study.words[74].review_count = 255;
  study.MarkReviewed();
  EXPECT_EQ(study.words[72].review_count, 1);
  EXPECT_EQ(study.words[74].review_count, 0);  // wraps at 256
  study.word_count = 73;                       // the count rules, not the array
  study.MarkReviewed();
  EXPECT_EQ(study.words[72].review_count, 2);
  EXPECT_EQ(study.words[73].review_count, 1);
}

TEST_F(SchedulingTest, ParentModeRewritesOnceAndBlocksAnswers) {
  GiveWords(3);
  study.EnterParentMode(1);
  study.EnterParentMode(1);
  EXPECT_EQ(documents.calls, (std::vector<std::string>{"full", "chapters -1 -1"}));
  EXPECT_EQ(study.RecordAnswer(vanto::platform::Utf8ToGbk(CourseChar(0)), false), 0);
  EXPECT_EQ(study.wrong_count, 0);
  EXPECT_EQ(study.words[0].test_count, 0);
}

TEST_F(SchedulingTest, AnswersRaiseTheCountersOfTheMatchedCharacters) {
  GiveWords(10);
  const auto gbk = [](const std::string& utf8) { return vanto::platform::Utf8ToGbk(utf8); };
  EXPECT_EQ(study.RecordAnswer(gbk(CourseChar(3)), true), 1);
  EXPECT_EQ(study.words[3].test_count, 1);
  EXPECT_EQ(study.wrong_count, 0);

  EXPECT_EQ(study.RecordAnswer(gbk("?" + CourseChar(4) + "|" + CourseChar(7)), false), 1);
  EXPECT_EQ(study.wrong_count, 1);
  EXPECT_EQ(study.words[4].test_count, 1);
  EXPECT_EQ(study.words[4].error_count, 1);
  EXPECT_EQ(study.words[7].error_count, 1);
  EXPECT_EQ(study.words[7].test_count, 0);

  study.RecordAnswer(gbk(CourseChar(5) + "|" + "x"), false);  // chosen not in the list
  EXPECT_EQ(study.wrong_count, 2);
  EXPECT_EQ(study.words[5].test_count, 1);
  EXPECT_EQ(study.words[5].error_count, 0);

  study.RecordAnswer("zz", true);  // matches nothing
  study.RecordAnswer("", true);
  study.RecordAnswer(gbk(CourseChar(1) + std::string(40, 'a')), true);  // too long: empty
  int tests = 0;
  for (const auto& word : study.words) tests += word.test_count;
  EXPECT_EQ(tests, 3);
}

TEST_F(SchedulingTest, AnswerKeysEndAtSpaceAndIgnoreLetterCase) {
  WriteFile("list.txt", "Ab cd\tx\n\nqq\n" + std::string(70, 'l') + "\n");
  ASSERT_TRUE(study.ParseListText("list.txt"));
  study.RecordAnswer("aB", true);
  EXPECT_EQ(study.words[0].test_count, 1);
  study.RecordAnswer("q", true);  // shorter than the key
  EXPECT_EQ(study.words[1].test_count, 0);
}

}  // namespace
}  // namespace learner_test
