// The document sets as the learner model's moments call them: which
// documents each writes, and that every document is well-formed XML whatever
// characters the list holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <pugixml.hpp>
#include <string>

#include "documents/course_documents.h"
#include "documents/document_names.h"
#include "documents_test_support.h"

namespace vanto::documents {
namespace {

using testing::FileExists;
using testing::NumberedWords;
using testing::ReadFile;
using testing::SetWords;
using testing::Word;

class DocumentSetsTest : public testing::DocumentsTest {
 protected:
  void SetUp() override {
    DocumentsTest::SetUp();
    for (const char* game : {"mouse", "Zida", "Vize", "Tarqa", "puzzle"}) {
      std::filesystem::create_directories(std::string("hlg/") + game);
    }
  }

  // Writes every document the program writes.
  void WriteEverything() {
    CourseDocuments documents(&boxes_);
    documents.WriteFullRefresh(study_);
    documents.WriteChapterFiles(study_, -1, -1);
    for (const char* path : {kMouseQuizName, kZidaQuizName, kVizeQuizName, kTarqaQuizName}) {
      EXPECT_EQ(documents.WriteGameQuiz(study_, path), 1);
    }
    EXPECT_EQ(documents.WritePuzzleHanzi(1, study_), 1);
  }

  // Parses every document written; returns how many there were.
  int ParseAll() {
    int parsed = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(".")) {
      if (entry.path().extension() != ".xml") continue;
      SCOPED_TRACE(entry.path().string());
      pugi::xml_document doc;
      pugi::xml_parse_result result = doc.load_file(entry.path().c_str());
      EXPECT_TRUE(result) << result.description();
      ++parsed;
    }
    return parsed;
  }

  CStudy study_;
};

TEST_F(DocumentSetsTest, EveryDocumentParsesForAPlainList) {
  SetWords(study_, NumberedWords(1200));
  study_.day = 3;
  WriteEverything();
  EXPECT_EQ(ParseAll(), 22);
  EXPECT_TRUE(boxes_.file_errors.empty());
}

TEST_F(DocumentSetsTest, ListTextsWithMarkupCharactersAreEscaped) {
  auto words = NumberedWords(1200);
  words[0] = Word("&\ta<b\tx>y\t\"q\"");
  words[1] = Word("'\tp'1\tA&B\tA&B", 0, 1, 1);
  words[2] = Word("<\tlt");
  SetWords(study_, std::move(words));
  WriteEverything();
  EXPECT_EQ(ParseAll(), 22);

  pugi::xml_document stat;
  ASSERT_TRUE(stat.load_file("stat.xml"));
  pugi::xml_node learned = stat.child("root").child("chapter").child("learned").child("word");
  EXPECT_STREQ(learned.attribute("hanzi").value(), "'");
  pugi::xml_document card;
  ASSERT_TRUE(card.load_file("config_CSHZ.xml"));
  pugi::xml_node first = card.child("root").child("item").child("zi");
  EXPECT_STREQ(first.child_value("text"), "&");
  EXPECT_STREQ(first.child_value("spell"), "a<b");
  EXPECT_STREQ(first.child_value("sentence"), "\"q\"");
  EXPECT_STREQ(ReadFile("hlg/puzzle/hanzi.xml").c_str(),
               "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<root>\r\n"
               "<hanzi>'</hanzi><sound>./ss/1.mp3</sound></root>\r\n");
}

TEST_F(DocumentSetsTest, WithoutAListTheDocumentsStillParseAndNameNoWord) {
  WriteEverything();
  EXPECT_EQ(ParseAll(), 16);  // no chapter documents
  EXPECT_FALSE(FileExists("Chapter0.xml"));
  pugi::xml_document quiz;
  ASSERT_TRUE(quiz.load_file("game.xml"));
  EXPECT_TRUE(quiz.child("root").child("group").children("item").empty());
}

}  // namespace
}  // namespace vanto::documents
