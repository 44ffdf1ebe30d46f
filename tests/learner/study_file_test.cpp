// "Vanto.ini": corrections, the day roll-over, number lists, cards, login.
#include "learner/study_file.h"

#include <climits>

#include "learner/number_list.h"
#include "learner/study.h"
#include "learner_fixture.h"
#include "platform/local_date.h"
#include "platform/profile.h"

namespace learner_test {
namespace {

using vanto::platform::ReadProfileInt;
using vanto::platform::ReadProfileString;

class StudyFileTest : public ::testing::Test {
 protected:
  SINFO Loaded(const std::string& ini) {
    WriteFile("Vanto.ini", ini);
    SINFO info;
    LoadStudyInfo("Vanto.ini", info);
    return info;
  }
  std::string Today() const { return std::to_string(vanto::platform::LocalDateNumber()); }

  WorkingFolder folder;
};

TEST_F(StudyFileTest, FirstRunTakesDefaultsAndStoresTheDate) {
  SINFO info;
  LoadStudyInfo("Vanto.ini", info);
  EXPECT_EQ(info.day, 0);
  EXPECT_EQ(info.group, 6);
  EXPECT_EQ(info.gushi, 5);
  EXPECT_EQ(info.new_day, 0);
  EXPECT_EQ(info.today, vanto::platform::LocalDateNumber());
  EXPECT_EQ(ReadProfileInt("study", "today", 0, "Vanto.ini"), info.today);
  EXPECT_EQ(ReadProfileString("study", "review", "x", "Vanto.ini"), "0");
}

TEST_F(StudyFileTest, StoredValuesAreCorrected) {
  const std::string today = "today=" + Today() + "\n";
  EXPECT_EQ(Loaded("[study]\n" + today + "day=-4\n").day, 0);
  SINFO info = Loaded("[study]\n" + today + "day=5\nch_day=9\nchapter=3\n");
  EXPECT_EQ(info.ch_day, 5);
  EXPECT_EQ(info.chapter, 3);
  info = Loaded("[study]\n" + today + "day=5\nch_day=-2\n");
  EXPECT_EQ(info.ch_day, 0);
  info = Loaded("[study]\n" + today + "day=5\nch_day=3\nchapter=6\n");
  EXPECT_EQ(info.chapter, 0);
  EXPECT_EQ(info.ch_day, 0);
  for (const char* bad : {"group=13\ngushi=3\n", "group=0\ngushi=3\n", "group=4\ngushi=-1\n"}) {
    info = Loaded("[study]\n" + today + bad);
    EXPECT_EQ(info.group, 6) << bad;
    EXPECT_EQ(info.gushi, 5) << bad;
  }
  info = Loaded("[study]\n" + today + "day=13\ngroup=4\ngushi=3\n");
  EXPECT_EQ(info.story_index, 4);
  EXPECT_EQ(info.story_part, 3);
}

TEST_F(StudyFileTest, NewDateAddsOneDayAndStoresItAtOnce) {
  for (int back : {1, 30, -1}) {  // any change of date counts once, also backwards
    SINFO info =
        Loaded("[study]\nday=7\nreview=1\ntoday=" + std::to_string(DateDaysBefore(back)) + "\n");
    EXPECT_EQ(info.day, 8);
    EXPECT_EQ(info.review, 0);
    EXPECT_EQ(info.new_day, 1);
    EXPECT_EQ(ReadProfileString("study", "today", "", "Vanto.ini"), Today());
    EXPECT_EQ(ReadProfileInt("study", "review", 1, "Vanto.ini"), 0);
    EXPECT_EQ(ReadProfileInt("study", "day", 0, "Vanto.ini"), 7);  // the day is saved at exit
  }
  SINFO same = Loaded("[study]\nday=7\nreview=1\ntoday=" + Today() + "\n");
  EXPECT_EQ(same.day, 7);
  EXPECT_EQ(same.review, 1);
}

TEST_F(StudyFileTest, HugeValuesAndGarbageNeverOverflow) {
  SINFO info = Loaded("[study]\nday=99999999999999\ntoday=1\n");
  EXPECT_EQ(info.day, INT_MAX);  // saturated, not wrapped
  info = Loaded(
      "garbage line\n=\n[x\n[study]\nday==3\nday=9\ngroup=12x\n[study]\nday=1\n"
      "gushi=2\n\x01\xff\n[chap]\ndays=99999999999999999999,-5,,\n");
  EXPECT_EQ(info.day, 0);  // "=3" reads 0; the first key counts
  EXPECT_EQ(info.group, 12);
  EXPECT_EQ(info.gushi, 5);  // only the first section of a name counts
  EXPECT_EQ(info.chap_days[0], INT_MAX);
  EXPECT_EQ(info.chap_days[1], 0);
  EXPECT_EQ(info.chap_days[2], 5);
  EXPECT_EQ(info.chap_days[3], 0);
}

TEST_F(StudyFileTest, NumberListRule) {
  std::int32_t entries[4] = {7, 7, 7, 7};
  EXPECT_EQ(ParseNumberList("1,2,3", entries, 4), 2u);  // a trailing number is not stored
  EXPECT_EQ(entries[0], 1);
  EXPECT_EQ(entries[2], 7);
  EXPECT_EQ(ParseNumberList("1,,3,", entries, 4), 3u);
  EXPECT_EQ(entries[1], 0);
  EXPECT_EQ(ParseNumberList("9-8 7;6,5,", entries, 4), 4u);  // any non-digit separates
  EXPECT_EQ(entries[3], 6);
  EXPECT_EQ(FormatNumberList(entries, 4), "9,8,7,6,");
}

TEST_F(StudyFileTest, ChapDaysAreWrittenOnlyWhenChanged) {
  SINFO info = Loaded("[Chap]\ndays=0,0,0,0,0,0,\n");
  EXPECT_EQ(info.chap_dirty, 0);
  EXPECT_EQ(WriteChapDays(info, "Vanto.ini"), "");
  info = Loaded("[Chap]\ndays=10,2,0,0,0,0,\n");
  EXPECT_EQ(info.chap_dirty, 1);
  EXPECT_EQ(info.chap_days[1], 2);
  info.chap_days[3] = 4;
  SaveStudyInfo("ini2", info);
  EXPECT_EQ(ReadProfileString("chap", "days", "", "ini2"), "10,2,0,4,0,0,");
  EXPECT_EQ(ReadProfileString("study", "debug", "absent", "ini2"), "absent");
  EXPECT_EQ(ReadProfileInt("study", "today", 0, "ini2"), info.today);
}

TEST_F(StudyFileTest, CardsAreStoredOnlyWhenChangedOutsideParentMode) {
  RecordingDocuments documents;
  CStudy study(&documents);
  WriteFile("Vanto.ini", "[mofa]\ncount=0,1,2,3,\n");
  study.mofa_dirty = 1;
  ReadMofa("Vanto.ini", study);
  EXPECT_EQ(study.mofa_dirty, 0);
  EXPECT_EQ(study.mofa_count[3], 3);
  EXPECT_EQ(WriteMofa(study, "Vanto.ini"), "");

  study.AddMofa(9);
  study.AddMofa(-1);
  study.SubMofa(4);  // card 5 holds 0
  EXPECT_EQ(study.mofa_dirty, 0);
  study.AddMofa(0);
  EXPECT_EQ(study.mofa_count[1], 2);
  study.parent_mode = 1;
  EXPECT_EQ(WriteMofa(study, "Vanto.ini"), "");
  EXPECT_TRUE(documents.calls.empty());
  study.parent_mode = 0;
  EXPECT_EQ(WriteMofa(study, ""), "0,2,2,3,0,0,0,0,0,0,");
  EXPECT_EQ(ReadProfileString("mofa", "count", "", "Vanto.ini"), "0,1,2,3,");
  EXPECT_EQ(WriteMofa(study, "Vanto.ini"), "0,2,2,3,0,0,0,0,0,0,");
  EXPECT_EQ(ReadProfileString("mofa", "count", "", "Vanto.ini"), "0,2,2,3,0,0,0,0,0,0,");
  EXPECT_EQ(documents.calls, (std::vector<std::string>{"overview", "overview"}));
  EXPECT_EQ(study.mofa_dirty, 1);
}

TEST_F(StudyFileTest, Credentials) {
  CStudy study;
  study.ini_path = "Vanto.ini";
  EXPECT_EQ(ReadCredentials(study), "");
  SaveCredentials(study, "mum", "");
  EXPECT_EQ(ReadCredentials(study), "");
  SaveCredentials(study, "mum", "s3cret");
  EXPECT_EQ(ReadCredentials(study), "name=mum&psw=s3cret");
}

}  // namespace
}  // namespace learner_test
