// Parsers of request input: query strings, numbers, number lists, paths and
// media names.
#include <gtest/gtest.h>

#include "service/accounts/learner_state.h"
#include "service/content/media_maker.h"
#include "service/http/query_string.h"
#include "service/http/safe_path.h"
#include "temp_folder.h"

namespace vanto::service {
namespace {

TEST(QueryStringTest, DecodesPercentEscapesButKeepsPlus) {
  auto query = QueryString::Parse("name=%E5%AD%A6a+b&psw=x%2By&empty=&flag");
  ASSERT_TRUE(query);
  EXPECT_EQ(query->Get("name"),
            "\xE5\xAD\xA6"
            "a+b");
  EXPECT_EQ(query->Get("psw"), "x+y");
  EXPECT_EQ(query->Get("empty"), "");
  EXPECT_TRUE(query->Has("flag"));
  EXPECT_FALSE(query->Get("missing"));
}

TEST(QueryStringTest, RejectsMalformedInput) {
  for (const char* raw : {"a=%", "a=%4", "a=%zz", "a=%00", "=1", "a=1&a=2", "%=1"}) {
    EXPECT_FALSE(QueryString::Parse(raw)) << raw;
  }
  EXPECT_TRUE(QueryString::Parse("a=1&&b=2"));  // empty pairs are skipped
}

TEST(QueryStringTest, OnlyKeysChecksEveryKey) {
  auto query = QueryString::Parse("uid=1&ppt=2");
  EXPECT_TRUE(query->OnlyKeys({"uid", "ppt", "rand"}));
  EXPECT_FALSE(query->OnlyKeys({"uid"}));
}

TEST(ParseInt32Test, AcceptsOnlyPlainDecimalsInRange) {
  EXPECT_EQ(ParseInt32("2147483647"), 2147483647);
  EXPECT_EQ(ParseInt32("-12"), -12);
  for (const char* text : {"", "-", "+1", " 1", "1 ", "2147483648", "1e3", "0x10", "12a"}) {
    EXPECT_FALSE(ParseInt32(text)) << text;
  }
}

TEST(NumberListTest, NeedsExactlyTheCountEachFollowedByAComma) {
  auto days = ParseNumberList<6>("10,2,0,0,0,0,");
  ASSERT_TRUE(days);
  EXPECT_EQ((*days)[0], 10);
  EXPECT_EQ(FormatNumberList(*days), "10,2,0,0,0,0,");
  for (const char* text : {"1,2,3,4,5,6", "1,2,3,4,5,", "1,2,3,4,5,6,7,", "1,,3,4,5,6,",
                           "-1,2,3,4,5,6,", "1,2,3,4,5,99999999999,", "a,2,3,4,5,6,", ""}) {
    EXPECT_FALSE(ParseNumberList<6>(text)) << text;
  }
}

TEST(ResolveInsideTest, RefusesPathsLeavingTheRoot) {
  vanto::testing::TempFolder root;
  root.Write("ss/1.mp3", "x");
  EXPECT_EQ(ResolveInside(root.path(), "ss/1.mp3"), root.path() / "ss/1.mp3");
  EXPECT_TRUE(ResolveInside(root.path(), "ss/missing.mp3"));
  for (const char* bad : {"", "/etc/passwd", "../x", "ss/../../x", "ss/..", "a\\b", "ss//1.mp3",
                          "./ss/1.mp3", ".hidden", "ss/.x", "ss/"}) {
    EXPECT_FALSE(ResolveInside(root.path(), bad)) << bad;
  }
  vanto::testing::TempFolder outside;
  outside.Write("secret.txt", "s");
  std::filesystem::create_directory_symlink(outside.path(), root.path() / "link");
  EXPECT_FALSE(ResolveInside(root.path(), "link/secret.txt"));
}

TEST(MediaNameTest, RecognisesSoundsAndPicturesOnly) {
  auto word = ParseMediaName("ss/12w.mp3");
  ASSERT_TRUE(word);
  EXPECT_EQ(word->kind, 's');
  EXPECT_EQ(word->index, 12);
  EXPECT_EQ(word->field, 'w');
  EXPECT_EQ(ParseMediaName("ss/3.mp3")->field, 'c');
  EXPECT_EQ(ParseMediaName("pz/999.jpg")->kind, 'p');
  for (const char* other : {"ss/.mp3", "ss/w.mp3", "ss/01.mp3", "ss/1x.mp3", "pz/1w.jpg",
                            "bh/1.swf", "ss/1.mp3/x", "pz/-1.jpg", "ss/1234567.mp3"}) {
    EXPECT_FALSE(ParseMediaName(other)) << other;
  }
}

}  // namespace
}  // namespace vanto::service
