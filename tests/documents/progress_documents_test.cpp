// "stat.xml" and the chapter documents: word lines, list limits, the range
// check and which chapter documents a change rewrites.
#include "documents/progress_documents.h"

#include <gtest/gtest.h>

#include <string>

#include "documents_test_support.h"

namespace vanto::documents {
namespace {

using testing::FileExists;
using testing::NumberedWords;
using testing::ReadFile;
using testing::SetWords;
using testing::Word;
using testing::WriteFile;

constexpr char kDecl[] = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n";

std::string Line(const std::string& hanzi, int learn_num, const std::string& rate) {
  return "<word hanzi='" + hanzi + "' learnNum='" + std::to_string(learn_num) + "' rate='" + rate +
         "'/>\r\n";
}

class ProgressDocumentsTest : public testing::DocumentsTest {
 protected:
  void SetUp() override {
    DocumentsTest::SetUp();
    auto words = NumberedWords(1200);
    words[0] = Word("w0\tp0", 1, 0, 0);                    // learnNum 1, rate 0.10
    words[1] = Word("w1\tp1", 1, 2, 0);                    // learnNum 3, rate 0.75
    words[2] = Word("w2\tp2", 3, 4, 6);                    // learnNum 7, rate exactly 0.125
    words[3] = Word("w3\tp3", 0, 1, 3);                    // learnNum 1, rate -1
    for (int i = 4; i < 30; ++i) words[i].test_count = 1;  // learnNum 1, error 0: 0.10
    SetWords(study_, std::move(words));
  }
  CStudy study_;
};

TEST_F(ProgressDocumentsTest, StatShowsDaysAndThreeListsOfNineAtMost) {
  study_.reg_day = 4;
  study_.day = 2;
  study_.group = 6;
  EXPECT_EQ(WriteStat(study_, "stat.xml", &boxes_), 1);
  // Words 4 to 29 were tested once and never reviewed: they fill both lists.
  std::string learned = Line("w1", 3, "0.75") + Line("w2", 7, "0.13") + Line("w3", 1, "-1.00");
  for (int i = 4; i < 10; ++i) learned += Line("w" + std::to_string(i), 1, "0.10");
  std::string learning = Line("w3", 1, "-1.00");
  for (int i = 4; i < 12; ++i) learning += Line("w" + std::to_string(i), 1, "0.10");
  EXPECT_EQ(ReadFile("stat.xml"),
            std::string(kDecl) +
                "<root>\r\n"
                "<registerDays>5</registerDays><learnDays>3</learnDays><learnWords>18</learnWords>"
                "<chapter name='一' wordNum='60'>\r\n"
                "<learned>\r\n" +
                learned +
                "</learned>\r\n"
                "<fallibility>\r\n" +
                Line("w2", 7, "0.13") + Line("w3", 1, "-1.00") +
                "</fallibility>\r\n"
                "<learning>\r\n" +
                learning +
                "</learning>\r\n"
                "</chapter>\r\n"
                "</root>\r\n");
}

TEST_F(ProgressDocumentsTest, ChapterListHasEveryWordAndMarksTheCurrentChapter) {
  study_.chapter = 1;
  EXPECT_EQ(WriteChapterList(0, study_, "Chapter0.xml", &boxes_), 1);
  std::string lines = Line("w0", 1, "0.10") + Line("w1", 3, "0.75") + Line("w2", 7, "0.13") +
                      Line("w3", 1, "-1.00");
  for (int i = 4; i < 30; ++i) lines += Line("w" + std::to_string(i), 1, "0.10");
  for (int i = 30; i < 60; ++i) lines += Line("w" + std::to_string(i), 0, "0.00");
  EXPECT_EQ(ReadFile("Chapter0.xml"), std::string(kDecl) +
                                          "<chapter name='一' wordNum='60' isCurrent='false'>\r\n" +
                                          lines + "</chapter>\r\n");
  EXPECT_EQ(WriteChapterList(1, study_, "Chapter1.xml", &boxes_), 1);
  EXPECT_NE(ReadFile("Chapter1.xml").find("<chapter name='二' wordNum='120' isCurrent='true'>"),
            std::string::npos);
}

TEST_F(ProgressDocumentsTest, ChapterPastTheListIsNotWritten) {
  study_.words.resize(1000);
  study_.word_count = 1000;
  WriteFile("Chapter5.xml", "kept");
  EXPECT_EQ(WriteChapterList(5, study_, "Chapter5.xml", &boxes_), 0);
  EXPECT_EQ(ReadFile("Chapter5.xml"), "kept");
  EXPECT_TRUE(boxes_.file_errors.empty());
}

TEST_F(ProgressDocumentsTest, ChapterChangeRewritesOldNewAndMissingDocuments) {
  for (int i = 0; i < 6; ++i) WriteFile("Chapter" + std::to_string(i) + ".xml", "kept");
  std::remove("Chapter4.xml");
  study_.chapter = 2;
  EXPECT_EQ(WriteChapterFiles(study_, 1, 2, &boxes_), 1);
  for (int i : {0, 3, 5}) EXPECT_EQ(ReadFile("Chapter" + std::to_string(i) + ".xml"), "kept");
  EXPECT_NE(ReadFile("Chapter1.xml").find("isCurrent='false'"), std::string::npos);
  EXPECT_NE(ReadFile("Chapter2.xml").find("isCurrent='true'"), std::string::npos);
  EXPECT_TRUE(FileExists("Chapter4.xml"));
  EXPECT_NE(ReadFile("Chapter4.xml"), "kept");

  WriteChapterFiles(study_, -1, -1, &boxes_);  // the parents' pages: all six
  for (int i = 0; i < 6; ++i) EXPECT_NE(ReadFile("Chapter" + std::to_string(i) + ".xml"), "kept");
}

}  // namespace
}  // namespace vanto::documents
