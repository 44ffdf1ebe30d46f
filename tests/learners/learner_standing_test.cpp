// The picker's and the status tool's view of a learner: read without
// changing the study file, counted as the course would count it today.
#include "learners/learner_standing.h"

#include <gtest/gtest.h>

#include "platform/local_date.h"
#include "temp_folder.h"

using vanto::testing::TempFolder;

namespace {

std::string StudyFile(int today, int review) {
  return "[study]\r\nday=10\r\nchapter=2\r\nch_day=4\r\ntoday=" + std::to_string(today) +
         "\r\nreview=" + std::to_string(review) + "\r\n";
}

TEST(LearnerStandingTest, TodaysLessonIsDoneOnlyWhenFinishedToday) {
  TempFolder temp;
  EXPECT_FALSE(vanto::learners::ReadLearnerStanding(temp.path()).started);

  const int today = vanto::platform::LocalDateNumber();
  temp.Write("Vanto.ini", StudyFile(today, 1));
  auto standing = vanto::learners::ReadLearnerStanding(temp.path());
  EXPECT_TRUE(standing.started);
  EXPECT_TRUE(standing.done_today);
  EXPECT_EQ(standing.day, 10);
  EXPECT_EQ(standing.chapter, 2);
  EXPECT_EQ(standing.days_in_chapter, 6);

  // Finished on an earlier date: a new study day, not yet done.
  temp.Write("Vanto.ini", StudyFile(20000101, 1));
  standing = vanto::learners::ReadLearnerStanding(temp.path());
  EXPECT_FALSE(standing.done_today);
  EXPECT_EQ(standing.day, 11);
  EXPECT_EQ(temp.Read("Vanto.ini"), StudyFile(20000101, 1));  // left as it was

  temp.Write("Vanto.ini", "[study]\r\nchapter=9\r\nday=-3\r\n");
  standing = vanto::learners::ReadLearnerStanding(temp.path());
  EXPECT_EQ(standing.chapter, 0);
  EXPECT_EQ(standing.day, 0);
}

}  // namespace
