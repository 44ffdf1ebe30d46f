// Quiz, mini-game and puzzle documents: exact output for the fixed random
// series, the distractor rules, and ranges the list cannot fill.
#include "documents/quiz_documents.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <pugixml.hpp>
#include <set>
#include <string>

#include "documents/course_documents.h"
#include "documents/lesson_documents.h"
#include "documents_test_support.h"

namespace vanto::documents {
namespace {

using testing::NumberedWords;
using testing::RawWord;
using testing::ReadFile;
using testing::SetWords;
using testing::Word;

constexpr char kDecl[] = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n";

class QuizDocumentsTest : public testing::DocumentsTest {
 protected:
  CStudy study_;
  RandomSource random_;
};

std::string Item(const std::string& pinyin, const std::string& snd, const std::string& answer,
                 const std::vector<std::string>& wrong) {
  std::string item = "<item>\r\n<pinyin>" + pinyin + "</pinyin>\r\n<snd>" + snd +
                     "</snd>\r\n<text flag='1'>" + answer + "</text>\r\n";
  for (const std::string& w : wrong) item += "<text flag='0'>" + w + "</text>\r\n";
  return item + "</item>\r\n";
}

// The four items of the list 一 二 三 四 with a fresh random source. Draws
// modulo 4 from the series 41, 18467, 6334, 26500, ...: item 0 takes 1, 3, 2;
// item 1 takes 0, 2, 3; item 2 1, 3, 0; item 3 0, 2, 1.
std::string FourItems(const std::string& sound_folder) {
  return "<group>\r\n" + Item("yī", sound_folder + "0.mp3", "一", {"二", "四", "三"}) +
         Item("èr", sound_folder + "1.mp3", "二", {"一", "三", "四"}) +
         Item("sān", sound_folder + "2.mp3", "三", {"二", "四", "一"}) +
         Item("sì", sound_folder + "3.mp3", "四", {"一", "三", "二"}) + "</group>\r\n</root>\r\n";
}

TEST_F(QuizDocumentsTest, QuizDrawsDistractorsFromTheFixedSeries) {
  SetWords(study_, {Word("一\tyī"), Word("二\tèr"), Word("三\tsān"), Word("四\tsì")});
  study_.day = 34;
  EXPECT_EQ(WriteQuiz(study_, 0, 4, "game.xml", random_, &boxes_), 1);
  EXPECT_EQ(ReadFile("game.xml"),
            std::string(kDecl) +
                "<root>\r\n"
                "<config><sound_true>sound/right1.mp3</sound_true><sound_false>sound/wrong1.mp3"
                "</sound_false><sound_right>sound/right.mp3</sound_right><sound_wrong>"
                "sound/wrong.mp3</sound_wrong></config>\r\n"
                "<ceping>ceping.swf</ceping>\r\n"
                "<sn>UI.swf</sn>\r\n" +
                FourItems("ss/"));
  study_.day = 35;
  WriteQuiz(study_, 0, 4, "game.xml", random_, &boxes_);
  EXPECT_NE(ReadFile("game.xml").find("<ceping>kong.swf</ceping>\r\n"), std::string::npos);
}

// The asked index of each item and the indexes of its distractors.
std::vector<std::pair<int, std::vector<int>>> ItemsOf(const std::string& path) {
  pugi::xml_document doc;
  EXPECT_TRUE(doc.load_file(path.c_str()));
  std::vector<std::pair<int, std::vector<int>>> items;
  for (pugi::xml_node item : doc.child("root").child("group").children("item")) {
    auto index = [](std::string text) { return text.size() > 1 ? std::stoi(text.substr(1)) : -1; };
    std::vector<int> wrong;
    for (pugi::xml_node text : item.children("text")) {
      if (std::string(text.attribute("flag").value()) == "0")
        wrong.push_back(index(text.text().get()));
    }
    items.emplace_back(index(item.find_child_by_attribute("text", "flag", "1").text().get()),
                       wrong);
  }
  return items;
}

TEST_F(QuizDocumentsTest, FewCandidatesGiveFewerDistractorsInsteadOfHanging) {
  // Word 1 and 3 have no TAB (records emptied for overlong lines): not usable.
  SetWords(study_, {Word("w0\tp0"), RawWord(""), Word("w2\tp2"), RawWord("x")});
  EXPECT_EQ(WriteQuiz(study_, 0, 4, "game.xml", random_, &boxes_), 1);
  const auto items = ItemsOf("game.xml");
  ASSERT_EQ(items.size(), 4u);  // words 1 and 3 still get an item, with empty fields
  EXPECT_EQ(items[0].second, std::vector<int>{2});
  EXPECT_EQ(items[2].second, std::vector<int>{0});

  SetWords(study_, {Word("w0\tp0")});
  EXPECT_EQ(WriteQuiz(study_, 0, 1, "game.xml", random_, &boxes_), 1);
  EXPECT_TRUE(ItemsOf("game.xml")[0].second.empty());
}

TEST_F(QuizDocumentsTest, RangesPastTheListLeaveThoseWordsOut) {
  WriteQuiz(study_, 0, 6, "game.xml", random_, &boxes_);  // no list loaded
  EXPECT_TRUE(ItemsOf("game.xml").empty());

  SetWords(study_, NumberedWords(8));
  WriteQuiz(study_, 6, 12, "game.xml", random_, &boxes_);
  const auto items = ItemsOf("game.xml");
  ASSERT_EQ(items.size(), 2u);
  for (const auto& [asked, wrong] : items) {
    EXPECT_EQ(wrong.size(), 3u);
    for (int r : wrong) EXPECT_LT(r, 8);
  }
}

TEST_F(QuizDocumentsTest, MiniGameCoversThePreviousAndTodaysWordsOfTheChapter) {
  study_.day = 3;
  EXPECT_EQ(GameQuizRange(study_).first, 12);
  EXPECT_EQ(GameQuizRange(study_).last, 24);
  study_.day = 0;
  EXPECT_EQ(GameQuizRange(study_).first, 0);
  EXPECT_EQ(GameQuizRange(study_).last, 6);
  study_.chapter = 2;
  study_.day = study_.ch_day = 9;
  EXPECT_EQ(GameQuizRange(study_).first, 180);
  EXPECT_EQ(GameQuizRange(study_).last, 186);
  study_.ch_day = 11;  // ahead of day: counts from the chapter's start by day
  EXPECT_EQ(GameQuizRange(study_).first, 180 + 6 * 8);
}

TEST_F(QuizDocumentsTest, MiniGameDocumentAndPuzzleCharacter) {
  SetWords(study_, {Word("一\tyī"), Word("二\tèr"), Word("三\tsān"), Word("四\tsì")});
  study_.group = 4;
  study_.day = 40;  // the mini-games always name ceping.swf
  study_.ch_day = 40;
  std::filesystem::create_directories("hlg/puzzle");
  std::filesystem::create_directories("hlg/Zida");
  EXPECT_EQ(WriteGameQuiz(study_, "hlg\\Zida\\game.xml", random_, &boxes_), 1);
  EXPECT_EQ(ReadFile("hlg/Zida/game.xml"),
            std::string(kDecl) +
                "<root>\r\n"
                "<config><sound_right>sound/right.mp3</sound_right><sound_wrong>sound/wrong.mp3"
                "</sound_wrong><sound_true>sound/right1.mp3</sound_true><sound_false>"
                "sound/wrong1.mp3</sound_false></config>\r\n"
                "<ceping>ceping.swf</ceping>\r\n" +
                FourItems("./ss/"));

  EXPECT_EQ(WritePuzzleHanzi(2, study_, &boxes_), 1);
  EXPECT_EQ(ReadFile("hlg/puzzle/hanzi.xml"),
            std::string(kDecl) + "<root>\r\n<hanzi>三</hanzi><sound>./ss/2.mp3</sound></root>\r\n");
  for (int outside : {4, -1, 1500}) {
    EXPECT_EQ(WritePuzzleHanzi(outside, study_, &boxes_), 1);
    EXPECT_EQ(ReadFile("hlg/puzzle/hanzi.xml"), std::string(kDecl) + "<root>\r\n</root>\r\n");
  }
}

TEST_F(QuizDocumentsTest, TwoRunsFromTheSameStateWriteTheSameQuizzes) {
  SetWords(study_, NumberedWords(60));
  study_.day = 4;
  std::string first_run[2];
  for (std::string& run : first_run) {
    CourseDocuments documents(&boxes_);  // a fresh program run
    documents.WriteLessonSet(study_, 0);
    run = ReadFile("game.xml") + ReadFile("game0.xml") + ReadFile("game1.xml");
  }
  EXPECT_EQ(first_run[0], first_run[1]);
}

}  // namespace
}  // namespace vanto::documents
