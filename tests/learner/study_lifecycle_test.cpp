// Load at start-up and save at exit, as the program runs them.
#include "learner_fixture.h"
#include "platform/profile.h"

namespace learner_test {
namespace {

using vanto::platform::ReadProfileInt;
using vanto::platform::ReadProfileString;

class LifecycleTest : public ::testing::Test {
 protected:
  WorkingFolder folder;
  RecordingDocuments documents;
  RecordingBoxes boxes;
};

TEST_F(LifecycleTest, LoadWritesTheFullSetOnceAndExitSavesEverything) {
  WriteFile("list.txt", CourseText(20));
  WriteFile("Vanto.ini", "[study]\nday=2\ntoday=" + std::to_string(DateDaysBefore(1)) +
                             "\n[mofa]\ncount=1,2,\n");
  {
    CStudy study(&documents, &boxes);
    ASSERT_TRUE(study.Load("Vanto.ini"));
    EXPECT_EQ(study.day, 3);
    EXPECT_EQ(study.mofa_count[1], 2);
    EXPECT_EQ(documents.calls, std::vector<std::string>{"full"});
    study.AddMofa(2);
    study.words[0].error_count = 5;
  }
  EXPECT_EQ(documents.calls, (std::vector<std::string>{"full", "overview"}));
  EXPECT_TRUE(boxes.calls.empty());
  EXPECT_EQ(ReadProfileInt("study", "day", 0, "Vanto.ini"), 3);
  EXPECT_EQ(ReadProfileString("mofa", "count", "", "Vanto.ini"), "1,2,0,1,0,0,0,0,0,0,");
  EXPECT_EQ(ReadProfileString("chap", "days", "none", "Vanto.ini"), "none");
  EXPECT_EQ(ReadFile("list.dat")[8 + 67], 5);

  CStudy again(&documents);
  ASSERT_TRUE(again.Load("Vanto.ini"));  // same date: no new day
  EXPECT_EQ(again.day, 3);
  EXPECT_EQ(again.words[0].error_count, 5);  // the record file won
}

TEST_F(LifecycleTest, WithoutAListNothingIsSavedAndNoDocumentWritten) {
  WriteFile("Vanto.ini", "[study]\nday=4\n");
  {
    CStudy study(&documents, &boxes);
    EXPECT_FALSE(study.Load("Vanto.ini"));
    study.AddMofa(0);
    study.day = 9;
  }
  EXPECT_TRUE(documents.calls.empty());
  EXPECT_EQ(boxes.calls.size(), 1u);
  EXPECT_FALSE(Exists("list.dat"));
  EXPECT_EQ(ReadProfileInt("study", "day", 0, "Vanto.ini"), 4);
  EXPECT_EQ(ReadProfileString("mofa", "count", "none", "Vanto.ini"), "none");
  EXPECT_NE(ReadProfileInt("study", "today", 0, "Vanto.ini"), 0);  // written by the roll-over
}

}  // namespace
}  // namespace learner_test
