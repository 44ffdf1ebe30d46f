// The learner model's moments write their documents through CourseDocuments:
// start-up, chapter change, finished study day and the parents' pages.
#include <gtest/gtest.h>

#include <filesystem>
#include <pugixml.hpp>
#include <string>

#include "documents/course_documents.h"
#include "documents_test_support.h"

namespace vanto::documents {
namespace {

using testing::FileExists;
using testing::ReadFile;
using testing::WriteFile;

class LearnerMomentsTest : public testing::DocumentsTest {
 protected:
  void SetUp() override {
    DocumentsTest::SetUp();
    std::string list;
    for (int i = 0; i < 1200; ++i) {
      const std::string n = std::to_string(i);
      list += "c" + n + "\tp" + n + "\tw" + n + "\ts" + n + "\r\n";
    }
    WriteFile("list.txt", list);
  }

  // The first word of the learning list in "stat.xml".
  static std::string FirstLearning() {
    pugi::xml_document stat;
    EXPECT_TRUE(stat.load_file("stat.xml"));
    return stat.child("root")
        .child("chapter")
        .child("learning")
        .child("word")
        .attribute("hanzi")
        .value();
  }

  CourseDocuments documents_{&boxes_};
};

TEST_F(LearnerMomentsTest, StartUpChapterChangeStudyDayAndParentsPages) {
  CStudy study(&documents_, &boxes_);
  ASSERT_TRUE(study.Load("Vanto.ini"));
  for (const char* name :
       {"config_CSHZ.xml", "config_SKSZ.xml", "config_GDLX.xml", "game.xml", "game0.xml",
        "game1.xml", "game2.xml", "zjfx.xml", "main.xml", "stat.xml", "content.xml"}) {
    EXPECT_TRUE(FileExists(name)) << name;
  }
  EXPECT_NE(ReadFile("config_GDLX.xml").find("<text>c5</text>"), std::string::npos);
  EXPECT_FALSE(FileExists("Chapter0.xml"));

  study.ChangeChapter(1);  // every chapter document is missing: all six are written
  EXPECT_NE(ReadFile("config_GDLX.xml").find("<text>c60</text>"), std::string::npos);
  EXPECT_NE(ReadFile("Chapter1.xml").find("isCurrent='true'"), std::string::npos);
  EXPECT_NE(ReadFile("Chapter0.xml").find("isCurrent='false'"), std::string::npos);
  EXPECT_TRUE(FileExists("Chapter5.xml"));

  // "stat.xml" is written before the day's words count as reviewed.
  study.MarkReviewed();
  EXPECT_EQ(FirstLearning(), "c60");
  EXPECT_NE(ReadFile("main.xml").find("<studayBool>1</studayBool>"), std::string::npos);

  WriteFile("Chapter3.xml", "kept");
  study.ChangeChapter(2);
  EXPECT_EQ(ReadFile("Chapter3.xml"), "kept");
  study.EnterParentMode(1);
  EXPECT_NE(ReadFile("Chapter3.xml"), "kept");
  EXPECT_TRUE(boxes_.file_errors.empty());
}

// A day far beyond the course (a damaged file, a wrong reply) lists at most
// one finished story per story the course can have, and today's.
TEST_F(LearnerMomentsTest, DayFarBeyondTheCourseKeepsTheCourseIndexBounded) {
  WriteFile("Vanto.ini", "[study]\r\nday=2147483647\r\ngushi=1\r\n");
  CStudy study(&documents_, &boxes_);
  ASSERT_TRUE(study.Load("Vanto.ini"));
  pugi::xml_document index;
  ASSERT_TRUE(index.load_file("main.xml"));
  const auto entries = index.child("root").children("index");
  EXPECT_EQ(std::distance(entries.begin(), entries.end()), 65);
}

}  // namespace
}  // namespace vanto::documents
