// The content script's manifests for each kind of query, their stamps, the
// update command and the refusal of malformed queries.
#include "service/content/content_script.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "service/content/digest_cache.h"
#include "temp_folder.h"

namespace vanto::service {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string PathOf(const std::string& line) {
  return line.substr(0, line.find('\t'));
}

std::vector<std::string> Paths(const std::string& text) {
  std::vector<std::string> paths;
  for (const auto& line : Lines(text)) paths.push_back(PathOf(line));
  return paths;
}

bool Contains(const std::vector<std::string>& paths, const std::string& path) {
  return std::find(paths.begin(), paths.end(), path) != paths.end();
}

class ContentScriptTest : public ::testing::Test {
 protected:
  ContentScriptTest() {
    std::string list;
    for (int i = 0; i < 20; ++i)
      list += "\xE4\xBA\xBA\tren\t\xE4\xBA\xBA\xE4\xBB\xAC\t\xE4\xBA\xBA\xE4\xBB\xAC\n";
    tree_.Write("list.txt", list);
    for (const char* movie : {"Vanto.swf", "CSHZ.swf", "movie/mf1.swf"}) tree_.Write(movie, "FWS");
    for (int i = 0; i < 20; ++i) {
      const std::string n = std::to_string(i);
      for (const char* suffix : {".mp3", "w.mp3", "s.mp3"})
        tree_.Write("ss/" + n + suffix, "snd" + n);
      tree_.Write("bh/" + n + ".swf", "bh");
      tree_.Write("tp/" + n + ".swf", "tp");
      tree_.Write("pz/" + n + ".jpg", "pic");
    }
    for (int part = 0; part < 25; ++part)
      tree_.Write("gs1/" + std::to_string(part) + ".swf", "story");
  }

  ScriptReply Ask(const std::string& query) { return script_.Answer(query); }

  vanto::testing::TempFolder tree_;
  ContentScript script_{ContentConfig{tree_.path()}};
};

TEST_F(ContentScriptTest, StartUpListsFixedFilesTheRangeAndTheStory) {
  auto reply = Ask("day=7&from=6&to=18&ver=20120610&qudao=abc");
  ASSERT_EQ(reply.status, 200);
  auto paths = Paths(reply.body);
  EXPECT_EQ(paths.front(), "list.txt");
  EXPECT_TRUE(Contains(paths, "Vanto.swf"));
  EXPECT_TRUE(Contains(paths, "movie/mf1.swf"));
  EXPECT_TRUE(Contains(paths, "ss/6.mp3"));
  EXPECT_TRUE(Contains(paths, "ss/17s.mp3"));
  EXPECT_TRUE(Contains(paths, "pz/17.jpg"));
  EXPECT_FALSE(Contains(paths, "ss/18.mp3"));
  EXPECT_FALSE(Contains(paths, "ss/5.mp3"));
  EXPECT_TRUE(Contains(paths, "gs1/24.swf"));
  EXPECT_FALSE(Contains(paths, "Kong.swf"));  // missing files are left out
  EXPECT_EQ(reply.body.find('<'), std::string::npos);
}

TEST_F(ContentScriptTest, EntriesCarryTimeAndDigestOfTheFile) {
  tree_.Write("ss/3.mp3", "abc");
  auto lines = Lines(Ask("pday=1&from=3&to=4").body);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front().substr(0, 9), "ss/3.mp3\t");
  std::string stamp = lines.front().substr(9);
  ASSERT_EQ(stamp.size(), 20u + 32u);
  EXPECT_EQ(stamp[4], '-');
  EXPECT_EQ(stamp[19], '|');
  EXPECT_EQ(stamp.substr(20), "900150983cd24fb0d6963f7d28e17f72");  // MD5 of "abc"
}

TEST_F(ContentScriptTest, EmptyFilesAreListedWithoutAStamp) {
  tree_.Write("ss/3.mp3", "");
  auto lines = Lines(Ask("pday=1&from=3&to=4").body);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "ss/3.mp3");
}

TEST_F(ContentScriptTest, DigestFollowsAChangedFile) {
  DigestCache cache;
  auto file = tree_.Write("x.bin", "abc");
  auto first = cache.Stamp(file);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->substr(20), "900150983cd24fb0d6963f7d28e17f72");
  tree_.Write("x.bin", "abcd");
  auto second = cache.Stamp(file);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->substr(20), "e2fc714c4727ee9395f324cd2e7f331f");
  tree_.Write("x.bin", "");
  EXPECT_EQ(cache.Stamp(file), "");
  std::filesystem::remove(file);
  EXPECT_FALSE(cache.Stamp(file));
}

TEST_F(ContentScriptTest, OtherQueriesNameTheirFiles) {
  auto story = Paths(Ask("gushi=1").body);
  ASSERT_EQ(story.size(), 25u);
  EXPECT_EQ(story.front(), "gs1/0.swf");
  auto pictures = Paths(Ask("pz=12&from=10").body);
  EXPECT_EQ(pictures, (std::vector<std::string>{"pz/10.jpg", "pz/11.jpg"}));
  auto close = Paths(Ask("day=5&from=6&to=8&ver=20120610&close=1").body);
  EXPECT_TRUE(Contains(close, "ss/7w.mp3"));
  EXPECT_TRUE(Contains(close, "gs1/0.swf"));
  EXPECT_FALSE(Contains(close, "list.txt"));
  auto day = Paths(Ask("pday=5&from=0&to=2").body);
  EXPECT_EQ(day.size(), 12u + 25u);
}

TEST_F(ContentScriptTest, RangesBeyondTheCourseGiveACommentOnlyManifest) {
  // Story 0 does not exist in this tree and the range lies past the list.
  auto reply = Ask("pday=0&from=40&to=52");
  EXPECT_EQ(reply.status, 200);
  EXPECT_EQ(reply.body, "#nofile\r\n");
  EXPECT_EQ(Ask("gushi=63").body, "#nofile\r\n");
}

TEST_F(ContentScriptTest, UpdateCommandOnlyWhenTheUpdateTreeIsNewer) {
  const char* startup = "day=0&from=0&to=12&ver=20120610&qudao=";
  EXPECT_EQ(Lines(Ask(startup).body).front().substr(0, 8), "list.txt");
  tree_.Write("update/VERSION", "20120610\n");
  EXPECT_EQ(Lines(Ask(startup).body).front().substr(0, 8), "list.txt");
  tree_.Write("update/VERSION", "20130101\n");
  EXPECT_EQ(Lines(Ask(startup).body).front(), "#update\tfile\tUpdate");
  EXPECT_EQ(Lines(Ask("day=0&from=0&to=12&ver=x&qudao=").body).front().substr(0, 8), "list.txt");
}

TEST_F(ContentScriptTest, UpdateManifestListsTheUpdateTree) {
  EXPECT_EQ(Ask("update").body, "");  // no update tree: nothing to update
  tree_.Write("update/VERSION", "20130101\n");
  tree_.Write("update/Vanto.ex_", "program");
  tree_.Write("update/hlg/\xE8\xAF\xB4\xE6\x98\x8E.txt", "notes");  // 说明.txt
  tree_.Write("update/.hidden", "x");
  auto lines = Lines(Ask("update").body);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(PathOf(lines[0]), "Vanto.ex_");
  EXPECT_EQ(lines[0].substr(lines[0].size() - 4), "\texe");
  EXPECT_EQ(PathOf(lines[1]), "hlg/\xCB\xB5\xC3\xF7.txt");  // the same name in code page 936
}

TEST_F(ContentScriptTest, MalformedQueriesGetAnErrorPage) {
  for (const char* query :
       {"", "bogus=1", "gushi=-1", "gushi=abc", "gushi=1&x=2", "pz=10&from=12", "pz=100&from=0",
        "pz=12", "pday=1&from=0", "pday=-1&from=0&to=6", "pday=1&from=-6&to=0",
        "day=0&from=0&to=12&qudao=", "day=0&from=0&to=12&ver=1&close=2",
        "day=0&from=0&to=12&ver=1&close=1&qudao=x", "day=0&from=0&to=12&ver=1&extra=1",
        "day=x&from=0&to=12&ver=1", "pday=1&from=0&to=99999999999", "%zz", "update=1&x=2"}) {
    auto reply = Ask(query);
    EXPECT_GE(reply.status, 400) << query;
    EXPECT_NE(reply.body.find('<'), std::string::npos) << query;
  }
}

TEST(ManifestTextTest, DropsLinesWithAngleBracketsOrNoGbkForm) {
  EXPECT_EQ(ManifestText({"a<b\tx", "ok\tstamp", "\xF0\x9F\x98\x80.txt\tx"}), "ok\tstamp\r\n");
  EXPECT_EQ(ManifestText({}), "#nofile\r\n");
}

}  // namespace
}  // namespace vanto::service
