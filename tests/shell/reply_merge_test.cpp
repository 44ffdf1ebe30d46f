// Adoption of account replies, and the escaping of values sent to the service.
#include "learner/reply_merge.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_fakes.h"
#include "platform/local_date.h"
#include "recording_documents.h"
#include "shell/commands/url_query.h"

namespace {

using vanto::testing::RecordingDocuments;

class ReplyMergeTest : public ::testing::Test {
 protected:
  ReplyMergeTest() : study(&documents) {
    study.ini_path = "Vanto.ini";
    study.today = vanto::platform::LocalDateNumber();
    study.day = 12;
    study.ch_day = 10;
    study.chapter = 1;
    study.dtime = 3;
    study.reg_day = 20;
    study.chap_days[0] = 10;
    study.mofa_dirty = 1;
    study.new_day = 1;
    study.review = 1;
    host_test::WriteFile("Vanto.ini", kStudyFile);
  }

  // The reply for the local state above, with `changes` put first in its
  // "study" section (the first key of a name counts).
  std::string ReplyWith(const std::string& changes) const {
    return "[study]\r\n" + changes +
           "day=12\r\nch_day=10\r\nchapter=1\r\ntoday=" + std::to_string(study.today) +
           "\r\ndtime=3\r\ngroup=6\r\ngushi=5\r\nreg_day=20\r\n[chap]\r\ndays=10,0,0,0,0,0,\r\n"
           "[mofa]\r\ncount=1,2,3,4,5,6,7,8,9,10,\r\n";
  }

  static constexpr const char* kStudyFile = "[study]\r\nday=12\r\n";
  host_test::WorkingFolder folder;
  RecordingDocuments documents;
  CStudy study;
};

TEST_F(ReplyMergeTest, SamePositionTakesOnlyTheCards) {
  host_test::WriteFile("Vanto.inf", ReplyWith("reg_day=99\r\n"));  // reg_day alone is no change
  MergeReply(study, "Vanto.inf");
  EXPECT_EQ(study.mofa_count[0], 1);
  EXPECT_EQ(study.mofa_count[9], 10);
  EXPECT_EQ(study.mofa_dirty, 0);
  EXPECT_EQ(study.reg_day, 20);
  EXPECT_TRUE(documents.calls.empty());
  EXPECT_EQ(host_test::ReadFile("Vanto.ini"), kStudyFile);
}

TEST_F(ReplyMergeTest, ChangedPositionIsAdoptedAndSaved) {
  host_test::WriteFile("Vanto.inf", ReplyWith("day=30\r\ngushi=4\r\nreview=0\r\n"));
  MergeReply(study, "Vanto.inf");
  EXPECT_EQ(study.day, 30);
  EXPECT_EQ(study.gushi, 4);
  EXPECT_EQ(study.story_index, 30 / 4);
  EXPECT_EQ(study.story_part, (30 % 4) * 4);
  EXPECT_EQ(study.new_day, 1);  // local values stay
  EXPECT_EQ(study.review, 1);
  EXPECT_EQ(study.chap_dirty, 1);
  EXPECT_EQ(study.chap_days[0], 30);  // 10 days in chapters, 20 more counted to chapter 0
  EXPECT_EQ(documents.calls, std::vector<std::string>{"full"});
  const std::string saved = host_test::ReadFile("Vanto.ini");
  EXPECT_NE(saved.find("day=30"), std::string::npos);
  EXPECT_NE(saved.find("days=30,0,0,0,0,0,"), std::string::npos);
}

TEST_F(ReplyMergeTest, ReplyWithoutLearnerStateChangesNothing) {
  host_test::WriteFile("Vanto.inf", "[user]\r\nuid=0\r\n[mofa]\r\n");
  MergeReply(study, "Vanto.inf");
  EXPECT_EQ(study.day, 12);
  EXPECT_EQ(study.chapter, 1);
  EXPECT_EQ(study.mofa_dirty, 1);
  EXPECT_TRUE(documents.calls.empty());
  EXPECT_EQ(host_test::ReadFile("Vanto.ini"), kStudyFile);
}

TEST(PercentEncodeTest, EscapesWhatWouldChangeTheQuery) {
  EXPECT_EQ(PercentEncode("Mum_1.2-3~x,"), "Mum_1.2-3~x,");
  EXPECT_EQ(PercentEncode("a b&c=d#e%f+g?h/i"), "a%20b%26c%3Dd%23e%25f%2Bg%3Fh%2Fi");
  EXPECT_EQ(PercentEncode("\xD6\xD0\x01"), "%D6%D0%01");
  EXPECT_EQ(PercentEncode(std::string("a\0b", 3)), "a%00b");
  EXPECT_EQ(PercentEncode(""), "");
}

}  // namespace
