// The account client against a real HTTP service on 127.0.0.1.
#include "shell/commands/account_client.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/local_date.h"
#include "platform/profile.h"
#include "service_host_fixture.h"

namespace {

using service_test::Reply;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;

class AccountClientTest : public service_test::ServiceHostTest {
 protected:
  AccountClientTest() {
    dlg->study().today = vanto::platform::LocalDateNumber();
    dlg->study().day = 4;
    dlg->study().ch_day = 0;
  }

  // A reply holding the learner state `day` on chapter `chapter`, dated today.
  static std::string StateReply(int day, int chapter, const std::string& extra = {}) {
    return Reply("[study]\r\nday=" + std::to_string(day) +
                 "\r\nchapter=" + std::to_string(chapter) +
                 "\r\nch_day=1\r\ntoday=" + std::to_string(vanto::platform::LocalDateNumber()) +
                 "\r\nreg_day=30\r\n" + extra + "[chap]\r\ndays=2,0,0,0,0,0,\r\n");
  }

  std::string IniValue(const char* section, const char* key) {
    return vanto::platform::ReadProfileString(section, key, "-", "Vanto.ini");
  }
};

TEST_F(AccountClientTest, UserTextGivesIdentityOrNothing) {
  service.ScriptAccount({}, Reply(""));
  EXPECT_FALSE(dlg->account().UserLogin("123"));  // no separator: ppt 0
  EXPECT_FALSE(dlg->account().UserLogin("0+5"));
  EXPECT_FALSE(dlg->account().UserLogin("12+0"));
  EXPECT_FALSE(dlg->account().UserLogin("99999999999+1"));  // beyond 32 bits
  EXPECT_EQ(dlg->identity().uid, 0);
  EXPECT_TRUE(service.AccountQueries().empty());

  EXPECT_TRUE(dlg->account().UserLogin("123+45"));
  EXPECT_EQ(dlg->identity().uid, 123);
  EXPECT_EQ(dlg->identity().ppt, 45);
  EXPECT_TRUE(dlg->account().UserLogin("a1b2|3"));
  EXPECT_EQ(dlg->identity().uid, 12);
  EXPECT_EQ(dlg->identity().ppt, 3);
  EXPECT_THAT(service.AccountQueries(),
              ElementsAre(MatchesRegex("uid=123&ppt=45&qudao=&rand=-?[0-9]+"),
                          MatchesRegex("uid=12&ppt=3&qudao=&rand=-?[0-9]+")));
}

TEST_F(AccountClientTest, ValidReplyIsAdoptedAndStored) {
  dlg->study().review = 1;
  dlg->study().mofa_dirty = 1;
  service.ScriptAccount({StateReply(9, 2, "review=0\r\n")});
  ASSERT_TRUE(dlg->account().UserLogin("7+8"));

  EXPECT_EQ(dlg->study().day, 9);
  EXPECT_EQ(dlg->study().chapter, 2);
  EXPECT_EQ(dlg->study().reg_day, 30);
  EXPECT_EQ(dlg->study().review, 1);  // stays local
  EXPECT_EQ(dlg->study().mofa_dirty, 0);
  // Nine days, two of them counted to chapters: the rest goes to chapter 0.
  EXPECT_EQ(dlg->study().chap_days[0], 2 + 7);
  EXPECT_EQ(IniValue("study", "day"), "9");
  EXPECT_EQ(IniValue("study", "chapter"), "2");
  EXPECT_EQ(IniValue("chap", "days"), "9,0,0,0,0,0,");
}

TEST_F(AccountClientTest, InvalidOrFailedReplyChangesNothing) {
  service.ScriptAccount({"[study]\r\nday=9\r\n", ""});  // no "[mofa]", then a 503
  EXPECT_FALSE(dlg->account().UserLogin("7+8"));
  EXPECT_FALSE(dlg->account().UserLogin("7+8"));
  EXPECT_EQ(dlg->study().day, 4);
  EXPECT_FALSE(vanto::platform::PathExists("Vanto.ini"));
  EXPECT_EQ(service.AccountQueries().size(), 2u);
}

TEST_F(AccountClientTest, DebugStudyFileIgnoresReplies) {
  dlg->study().debug = 1;
  dlg->study().mofa_count[1] = 5;
  service.ScriptAccount({StateReply(9, 2)}, {});
  ASSERT_TRUE(dlg->account().UserLogin("7+8"));
  EXPECT_EQ(dlg->study().day, 4);
  EXPECT_EQ(dlg->study().chapter, 0);
  EXPECT_EQ(dlg->study().mofa_count[1], 5);
  EXPECT_FALSE(vanto::platform::PathExists("Vanto.ini"));
}

TEST_F(AccountClientTest, ParentLoginSavesCredentialsWhenAUserIdComesBack) {
  service.ScriptAccount({Reply("[user]\r\nuid=77\r\n")});
  EXPECT_FALSE(dlg->account().ParentLogin("mum+"));  // empty password: nothing sent
  EXPECT_FALSE(dlg->account().ParentLogin("+pw"));
  ASSERT_TRUE(dlg->account().ParentLogin("mum+old|pw"));  // password after the last separator
  EXPECT_EQ(dlg->identity().uid, 77);
  EXPECT_EQ(IniValue("user", "name"), "mum");
  EXPECT_EQ(IniValue("user", "pswd"), "pw");
  EXPECT_THAT(service.AccountQueries(),
              ElementsAre(MatchesRegex("name=mum&psw=pw&qudao=&rand=-?[0-9]+")));
  EXPECT_FALSE(recorder.Has("MessageBox error Parent login failed"));
}

TEST_F(AccountClientTest, ParentLoginWithoutUserIdFailsAndKeepsTheLearner) {
  // A refused login carries no learner state: nothing of it is adopted.
  service.ScriptAccount({Reply("", "0,3,0,0,0,0,0,0,0,0,")});
  ASSERT_TRUE(dlg->account().ParentLogin("mum|pw"));
  EXPECT_EQ(dlg->identity().uid, 0);
  EXPECT_TRUE(recorder.Has("MessageBox error Parent login failed"));
  EXPECT_EQ(dlg->study().mofa_count[1], 0);
  EXPECT_EQ(IniValue("user", "name"), "-");
}

TEST_F(AccountClientTest, ParentLoginWithKnownUserIdIsAccepted) {
  dlg->SetIdentity(5, 0);
  service.ScriptAccount({Reply("[user]\r\nuid=0\r\n")});
  ASSERT_TRUE(dlg->account().ParentLogin("mum+pw"));
  EXPECT_EQ(dlg->identity().uid, 5);
  EXPECT_EQ(IniValue("user", "name"), "mum");
}

TEST_F(AccountClientTest, ValuesReachTheServiceAsTyped) {
  dlg->SetChannel("shop 1");
  service.ScriptAccount({}, Reply("[user]\r\nuid=2\r\n"));
  // "\x81\x7C" is one character whose second byte is '|'.
  ASSERT_TRUE(dlg->account().ParentLogin("a&b c#\xD6\xD0|p%w=1?\x81\x7C"));
  const auto queries = service.AccountQueries();
  ASSERT_EQ(queries.size(), 1u);
  EXPECT_THAT(
      queries[0],
      MatchesRegex("name=a%26b%20c%23%D6%D0&psw=p%25w%3D1%3F%81%7C&qudao=shop%201&rand=-?[0-9]+"));
  // The saved login keeps the bytes as typed.
  EXPECT_EQ(IniValue("user", "name"), "a&b c#\xD6\xD0");
}

TEST_F(AccountClientTest, OverlongNameAndPasswordAreCutAtACharacter) {
  const std::string name =
      std::string(62, 'n') + "\xD6\xD0" + "tail";  // the 2-byte character would end at byte 64
  const std::string password = std::string(40, 'p');
  service.ScriptAccount({}, Reply("[user]\r\nuid=1\r\n"));
  ASSERT_TRUE(dlg->account().ParentLogin(name + "+" + password));
  EXPECT_THAT(service.AccountQueries().at(0),
              HasSubstr("name=" + std::string(62, 'n') + "&psw=" + std::string(31, 'p') + "&"));
  EXPECT_EQ(IniValue("user", "name"), std::string(62, 'n'));
}

TEST_F(AccountClientTest, LongChineseLoginsStillReachTheService) {
  // 31 Chinese characters and a 15-character password: over 260 characters
  // once percent-encoded.
  std::string name;
  for (int i = 0; i < 31; ++i) name += "\xD6\xD0";
  std::string password;
  for (int i = 0; i < 15; ++i) password += "\xCE\xC4";
  service.ScriptAccount({}, Reply("[user]\r\nuid=3\r\n"));
  ASSERT_TRUE(dlg->account().ParentLogin(name + "|" + password));
  ASSERT_EQ(service.AccountQueries().size(), 1u);
  EXPECT_EQ(dlg->identity().uid, 3);
}

TEST_F(AccountClientTest, MagicCardsAreSentOnlyWhenChanged) {
  dlg->SetIdentity(5, 6);
  EXPECT_EQ(dlg->account().SendMofa(), 0);
  EXPECT_TRUE(service.AccountQueries().empty());

  dlg->study().AddMofa(0);
  service.ScriptAccount({}, "ok");
  EXPECT_EQ(dlg->account().SendMofa(), 1);
  EXPECT_EQ(dlg->study().mofa_dirty, 1);  // sent again next time, stored at exit
  dlg->study().parent_mode = 1;
  EXPECT_EQ(dlg->account().SendMofa(), 0);
  EXPECT_EQ(dlg->account().ReportStudy(), 1);
  EXPECT_THAT(service.AccountQueries(),
              ElementsAre(MatchesRegex("uid=5&ppt=6&mofa=0,1,0,0,0,0,0,0,0,0,&rand=-?[0-9]+"),
                          MatchesRegex("uid=5&ppt=6&study=1&rand=-?[0-9]+")));

  service.ScriptAccount({}, {});  // 503
  EXPECT_EQ(dlg->account().ReportStudy(), 0);
}

TEST_F(AccountClientTest, ChapterChangeTriesThreeTimesThenFetchesTheRange) {
  dlg->SetIdentity(5, 6);
  dlg->study().day = 12;
  service.ScriptAccount({"", Reply("[study]\r\nresult=1\r\nchapter=1\r\n"),
                         Reply("[study]\r\nresult=1\r\nchapter=2\r\n")});
  ASSERT_EQ(dlg->account().SwitchChapter("2"), 1);
  EXPECT_EQ(dlg->study().chapter, 2);
  const auto queries = service.AccountQueries();
  ASSERT_EQ(queries.size(), 3u);
  EXPECT_THAT(queries[0],
              MatchesRegex("uid=5&ppt=6&chapter=2&chdays=12,0,0,0,0,0,&ch_day=12&rand=-?[0-9]+"));
  EXPECT_EQ(queries[1], queries[0]);  // one tick count for every attempt
  EXPECT_EQ(queries[2], queries[0]);
  // Chapter 2 starts at 180 and is new: day 12 is its first day.
  EXPECT_THAT(service.ContentQueries(), ElementsAre("pday=12&from=180&to=192"));
  EXPECT_TRUE(recorder.Has("Reload done 36"));
}

TEST_F(AccountClientTest, UnconfirmedChapterChangeStaysLocal) {
  service.ScriptAccount({}, Reply("[study]\r\nresult=0\r\nchapter=3\r\n"));
  EXPECT_EQ(dlg->account().SwitchChapter("3"), 0);
  EXPECT_EQ(dlg->study().chapter, 3);
  EXPECT_EQ(service.AccountQueries().size(), 3u);
  EXPECT_TRUE(service.ContentQueries().empty());
}

TEST_F(AccountClientTest, UnreachableServiceShowsTheChapterFailure) {
  MakeDialog("http://127.0.0.1:1");
  dlg->OnFSCommand("currentChapter", "3");
  EXPECT_EQ(dlg->study().chapter, 3);
  EXPECT_TRUE(recorder.Has("MessageBox Error Failed to change chapter"));
}

TEST_F(AccountClientTest, ChapterChangeLogsInWithSavedCredentials) {
  vanto::platform::WriteProfileString("user", "name", "m&m", "Vanto.ini");
  vanto::platform::WriteProfileString("user", "pswd", "p w", "Vanto.ini");
  service.ScriptAccount(
      {Reply("[user]\r\nuid=41\r\n"), Reply("[study]\r\nresult=1\r\nchapter=1\r\n")});
  ASSERT_EQ(dlg->account().SwitchChapter("1"), 1);
  EXPECT_EQ(dlg->identity().uid, 41);
  const auto queries = service.AccountQueries();
  ASSERT_EQ(queries.size(), 2u);
  EXPECT_THAT(queries[0], MatchesRegex("name=m%26m&psw=p%20w&rand=-?[0-9]+"));
  EXPECT_THAT(queries[1], HasSubstr("uid=41&ppt=0&chapter=1&"));
  EXPECT_EQ(queries[0].substr(queries[0].find("&rand=")),
            queries[1].substr(queries[1].find("&rand=")));
}

TEST_F(AccountClientTest, ReplyValidityAndUserDayQuery) {
  host_test::WriteFile("a.inf", "x=1\n  [mofa] \ncount=1,\n");
  host_test::WriteFile("b.inf", "[study]\nmofa=1\n");
  EXPECT_TRUE(IsValidReply("a.inf"));
  EXPECT_FALSE(IsValidReply("b.inf"));
  EXPECT_FALSE(IsValidReply("missing.inf"));
  dlg->SetIdentity(3, 0);
  EXPECT_EQ(dlg->account().UserDayQuery(), "uid=3&day=4");
}

}  // namespace
