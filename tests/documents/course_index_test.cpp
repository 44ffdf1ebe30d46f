// "main.xml", "content.xml" and "zjfx.xml" compared byte for byte.
#include "documents/course_index.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "documents_test_support.h"

namespace vanto::documents {
namespace {

using testing::ReadFile;
using testing::WriteFile;

constexpr char kDecl[] = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n";

class CourseIndexTest : public testing::DocumentsTest {
 protected:
  CStudy study_;
};

TEST_F(CourseIndexTest, CourseIndexListsFinishedStoriesTodaysPartsCardsAndScore) {
  // day 7 with gushi 5: story 1, today's first part 10.
  study_.story_index = 1;
  study_.story_part = 10;
  study_.review = 1;
  study_.wrong_count = 3;
  study_.mofa_count[0] = 7;  // never written
  study_.mofa_count[1] = 2;
  study_.mofa_count[4] = 5;  // card 3 is missing, so card 4 is not listed
  std::filesystem::create_directory("movie");
  for (const char* card : {"movie/mf1.swf", "movie/mf2.swf", "movie/mf4.swf"}) WriteFile(card, "");

  std::string finished_parts;
  for (int j = 0; j < 25; ++j) finished_parts += "<path>gs0/" + std::to_string(j) + ".swf</path>";
  const std::string expected =
      std::string(kDecl) +
      "<root>\r\n"
      "<ce>1</ce><studayBool>1</studayBool><StudyUrl>CSHZ.swf</StudyUrl>\r\n"
      "<skipSnd>gs1/1b.mp3</skipSnd><mofaData>\r\n"
      "<mofa id=\"1\" card=\"movie/mf1.swf\">2</mofa>"
      "<mofa id=\"2\" card=\"movie/mf2.swf\">0</mofa></mofaData>\r\n"
      "<index>\r\n<skip>gs0/Synopsis0.swf</skip>\r\n<gushi>" +
      finished_parts +
      "<path>gs0/game.swf</path></gushi>\r\n"
      "<result>94</result><yugao>gs0/yugao0.swf</yugao></index>\r\n"
      "<index>\r\n<skip>gs1/Synopsis1.swf</skip>\r\n<gushi>"
      "<path>gs1/10.swf</path><path>gs1/11.swf</path><path>gs1/12.swf</path>"
      "<path>gs1/13.swf</path><path>gs1/14.swf</path><path>gs1/game.swf</path></gushi>\r\n"
      "<result>94</result><yugao>gs1/yugao1.swf</yugao></index>\r\n"
      "</root>\r\n";
  EXPECT_EQ(WriteCourseIndex(study_, "main.xml", &boxes_), 1);
  EXPECT_EQ(ReadFile("main.xml"), expected);
}

TEST_F(CourseIndexTest, BranchChangesEverySevenStories) {
  study_.story_index = 13;
  EXPECT_EQ(WriteBranch(study_, "content.xml", &boxes_), 1);
  EXPECT_EQ(ReadFile("content.xml"),
            std::string(kDecl) + "<root>\r\n<mainStr>MainBranch1.swf</mainStr></root>\r\n");
  study_.story_index = 14;
  WriteBranch(study_, "content.xml", &boxes_);
  EXPECT_NE(ReadFile("content.xml").find("MainBranch2.swf"), std::string::npos);
}

TEST_F(CourseIndexTest, RecentDaysCountBackAcrossAMonthEnd) {
  EXPECT_EQ(WriteRecentDays("zjfx.xml", 20230302, &boxes_), 1);
  EXPECT_EQ(ReadFile("zjfx.xml"), std::string(kDecl) +
                                      "<days>\r\n"
                                      "<day time='3-2' storyId='0'/>\r\n"
                                      "<day time='3-1' storyId='1'/>\r\n"
                                      "<day time='2-28' storyId='2'/>\r\n"
                                      "<day time='2-27' storyId='3'/>\r\n"
                                      "<day time='2-26' storyId='4'/>\r\n"
                                      "<day time='2-25' storyId='5'/>\r\n"
                                      "<day time='2-24' storyId='6'/>\r\n"
                                      "</days>\r\n");
  WriteRecentDays("zjfx.xml", 20240102, &boxes_);  // year end
  EXPECT_NE(ReadFile("zjfx.xml").find("<day time='12-27' storyId='6'/>"), std::string::npos);
}

}  // namespace
}  // namespace vanto::documents
