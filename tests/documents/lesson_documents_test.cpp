// The three lesson documents and the lesson set's ranges and quiz windows.
#include "documents/lesson_documents.h"

#include <gtest/gtest.h>

#include <string>

#include "documents_test_support.h"

namespace vanto::documents {
namespace {

using testing::NumberedWords;
using testing::ReadFile;
using testing::SetWords;
using testing::Word;
using testing::WriteFile;

constexpr char kDecl[] = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n";

class LessonDocumentsTest : public testing::DocumentsTest {
 protected:
  void SetUp() override {
    DocumentsTest::SetUp();
    SetWords(study_, {Word("人\trén\t大人\t大人"), Word("口\t\t口子\t张口说话"), Word("大")});
  }
  CStudy study_;
  RandomSource random_;
};

TEST_F(LessonDocumentsTest, CardLessonReadsFieldsByPosition) {
  EXPECT_EQ(WriteCardLesson(study_, 0, 3, "config_CSHZ.xml", &boxes_), 1);
  EXPECT_EQ(ReadFile("config_CSHZ.xml"),
            std::string(kDecl) +
                "<root><StudyUrl>SKSZ.swf</StudyUrl><sndUrl>sound/4.mp3</sndUrl><item>\r\n"
                "<zi><text>人</text><spell>rén</spell><word>大人</word><sentence>大人</sentence>"
                "<sound>ss/0.mp3</sound><sound>null.mp3</sound><sound>ss/0s.mp3</sound>"
                "<option>bh/0.swf</option><option>tp/0.swf</option></zi>\r\n"
                "<zi><text>口</text><word>口子</word><sentence>张口说话</sentence>"
                "<sound>ss/1.mp3</sound><sound>ss/1w.mp3</sound><sound>ss/1s.mp3</sound>"
                "<option>bh/1.swf</option><option>tp/1.swf</option></zi>\r\n"
                "<zi><text>大</text>"
                "<sound>ss/2.mp3</sound><sound>null.mp3</sound><sound>ss/2s.mp3</sound>"
                "<option>bh/2.swf</option><option>tp/2.swf</option></zi>\r\n"
                "</item></root>\r\n");
}

TEST_F(LessonDocumentsTest, PictureLessonAndFollowMeRead) {
  EXPECT_EQ(WritePictureLesson(7, 8, "config_SKSZ.xml", &boxes_), 1);
  EXPECT_EQ(ReadFile("config_SKSZ.xml"),
            std::string(kDecl) +
                "<root><StudyUrl>GDLX.swf</StudyUrl>\r\n"
                "<item type='0'><path>bh/7.swf</path><sound>ss/7.mp3</sound></item>\r\n"
                "<item type='1'><path>tp/7.swf</path><sound>ss/7w.mp3</sound></item>\r\n"
                "</root>\r\n");
  // Word 3 and beyond do not exist: they are left out.
  EXPECT_EQ(WriteFollowMeRead(study_, 1, 5, "config_GDLX.xml", &boxes_), 1);
  EXPECT_EQ(ReadFile("config_GDLX.xml"),
            std::string(kDecl) +
                "<root><sndUrl>sound/followMeRead.mp3</sndUrl>\r\n"
                "<item><text>口</text><sound>ss/1.mp3</sound></item>\r\n"
                "<item><text>大</text><sound>ss/2.mp3</sound></item>\r\n"
                "</root>\r\n");
}

TEST_F(LessonDocumentsTest, LessonDayCountsBackWithinTheChapter) {
  study_.chapter = 1;
  study_.day = 10;
  study_.ch_day = 8;
  EXPECT_EQ(LessonDayFirst(study_, 0), 72);
  EXPECT_EQ(LessonDayFirst(study_, 1), 66);
  EXPECT_EQ(LessonDayFirst(study_, 5), 60);

  SetWords(study_, NumberedWords(80));
  EXPECT_EQ(WriteLessonSet(study_, 1, random_, &boxes_), 1);
  const std::string follow = ReadFile("config_GDLX.xml");
  EXPECT_NE(follow.find("<item><text>w66</text><sound>ss/66.mp3</sound>"), std::string::npos);
  EXPECT_NE(follow.find("<item><text>w71</text><sound>ss/71.mp3</sound>"), std::string::npos);
  EXPECT_EQ(follow.find("ss/65.mp3"), std::string::npos);
  EXPECT_EQ(follow.find("ss/72.mp3"), std::string::npos);
  EXPECT_NE(ReadFile("config_CSHZ.xml").find("<text>w66</text>"), std::string::npos);
  EXPECT_NE(ReadFile("config_SKSZ.xml").find("bh/71.swf"), std::string::npos);
  EXPECT_NE(ReadFile("game.xml").find("<snd>ss/66.mp3</snd>"), std::string::npos);
}

// First and last asked word of a quiz document, or "kept" when untouched.
std::string QuizSpan(const std::string& path) {
  const std::string text = ReadFile(path);
  if (text == "kept") return "kept";
  const std::size_t first = text.find("<snd>ss/") + 8;
  const std::size_t last = text.rfind("<snd>ss/") + 8;
  return text.substr(first, text.find('.', first) - first) + "-" +
         text.substr(last, text.find('.', last) - last);
}

TEST_F(LessonDocumentsTest, ShortQuizWindowsFollowTheGroupSize) {
  SetWords(study_, NumberedWords(60));
  struct Case {
    int group;
    const char* game0;
    const char* game1;
    const char* game2;
  };
  // Second study day of chapter 0: first = group.
  const Case cases[] = {{3, "kept", "kept", "kept"},     {4, "4-7", "kept", "kept"},
                        {5, "5-8", "6-9", "kept"},       {6, "6-9", "7-10", "8-11"},
                        {11, "11-14", "12-15", "13-16"}, {12, "12-15", "16-19", "20-23"}};
  study_.day = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.group);
    for (const char* name : {"game0.xml", "game1.xml", "game2.xml"}) WriteFile(name, "kept");
    study_.group = c.group;
    WriteLessonSet(study_, 0, random_, &boxes_);
    EXPECT_EQ(QuizSpan("game0.xml"), c.game0);
    EXPECT_EQ(QuizSpan("game1.xml"), c.game1);
    EXPECT_EQ(QuizSpan("game2.xml"), c.game2);
    EXPECT_EQ(QuizSpan("game.xml"),
              std::to_string(c.group) + "-" + std::to_string(2 * c.group - 1));
  }
  EXPECT_TRUE(boxes_.file_errors.empty());
}

}  // namespace
}  // namespace vanto::documents
