// Accounts on each database: learner and parent logins, reports, chapter
// changes, the day roll-over, refusals, concurrent updates from two stores
// (as from two service processes), and copying a database.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "service/accounts/account_script.h"
#include "service/accounts/account_store.h"
#include "service/accounts/open_account_database.h"
#include "service/accounts/sqlite_db.h"
#include "test_database.h"

namespace vanto::service {
namespace {

constexpr int64_t kDay = 24 * 3600;

using test::DatabaseKind;

class AccountTest : public ::testing::TestWithParam<DatabaseKind> {
 protected:
  void SetUp() override {
    if (database_.Location().empty()) GTEST_SKIP() << database_.SkipReason();
    store_ = NewStore();
    script_ = std::make_unique<AccountScript>(*store_);
  }

  std::unique_ptr<AccountStore> NewStore() {
    return std::make_unique<AccountStore>(database_.Location(), [this] { return now_.load(); });
  }
  ScriptReply Ask(const std::string& query) { return script_->Answer(query); }
  static bool IsError(const ScriptReply& reply) {
    return reply.body.find('<') != std::string::npos;
  }
  static bool Holds(const ScriptReply& reply, const std::string& line) {
    return reply.body.find(line + "\r\n") != std::string::npos;
  }

  test::TestDatabase database_{GetParam()};
  std::atomic<int64_t> now_{1765000000};
  std::unique_ptr<AccountStore> store_;
  std::unique_ptr<AccountScript> script_;
};

TEST_P(AccountTest, FirstLoginCreatesTheLearnerAndAnswersItsState) {
  auto reply = Ask("uid=123&ppt=45&qudao=demo&rand=-17");
  ASSERT_EQ(reply.status, 200) << reply.body;
  EXPECT_TRUE(Holds(reply, "[user]"));
  EXPECT_TRUE(Holds(reply, "uid=123"));
  EXPECT_TRUE(Holds(reply, "day=0"));
  EXPECT_TRUE(Holds(reply, "group=6"));
  EXPECT_TRUE(Holds(reply, "[mofa]"));
  EXPECT_TRUE(Holds(reply, "count=0,0,0,0,0,0,0,0,0,0,"));
  EXPECT_TRUE(Holds(reply, "days=0,0,0,0,0,0,"));
  EXPECT_FALSE(reply.body.find("result=") != std::string::npos);
  EXPECT_TRUE(IsError(Ask("uid=123&ppt=46&qudao=&rand=1")));  // another number: refused
}

TEST_P(AccountTest, ANewDateAddsOneStudyDayAndClearsTheReview) {
  Ask("uid=7&ppt=8&qudao=&rand=1");
  EXPECT_TRUE(Holds(Ask("uid=7&ppt=8&study=1&rand=2"), "review=1"));
  EXPECT_TRUE(Holds(Ask("uid=7&ppt=8&qudao=&rand=3"), "day=0"));
  now_ += 3 * kDay;  // several dates passed: still one study day
  auto later = Ask("uid=7&ppt=8&qudao=&rand=4");
  EXPECT_TRUE(Holds(later, "day=1"));
  EXPECT_TRUE(Holds(later, "review=0"));
  EXPECT_TRUE(Holds(later, "reg_day=3"));
}

TEST_P(AccountTest, ReportsAndChapterChangesAreStored) {
  Ask("uid=5&ppt=9&qudao=&rand=1");
  EXPECT_TRUE(
      Holds(Ask("uid=5&ppt=9&mofa=0,1,2,3,4,5,6,7,8,9,&rand=2"), "count=0,1,2,3,4,5,6,7,8,9,"));
  for (int i = 0; i < 12; ++i) {
    now_ += kDay;
    Ask("uid=5&ppt=9&qudao=&rand=3");
  }
  auto change = Ask("uid=5&ppt=9&chapter=2&chdays=12,0,0,0,0,0,&ch_day=12&rand=4");
  EXPECT_TRUE(Holds(change, "result=1"));
  EXPECT_TRUE(Holds(change, "chapter=2"));
  EXPECT_TRUE(Holds(change, "ch_day=12"));
  EXPECT_TRUE(Holds(change, "days=12,0,0,0,0,0,"));
  // A day count beyond the learner's days is clamped.
  EXPECT_TRUE(
      Holds(Ask("uid=5&ppt=9&chapter=1&chdays=12,0,0,0,0,0,&ch_day=99&rand=5"), "ch_day=12"));
  auto login = Ask("uid=5&ppt=9&qudao=&rand=6");
  EXPECT_TRUE(Holds(login, "chapter=1"));
  EXPECT_TRUE(Holds(login, "count=0,1,2,3,4,5,6,7,8,9,"));
}

TEST_P(AccountTest, ParentLoginNamesTheLearnerAndOpensAShortGrant) {
  auto made = store_->AddParent("mum", "s3cret", 0);
  ASSERT_GT(made.uid, 0);
  ASSERT_GT(made.ppt, 0);
  // A refused parent: a valid reply with no user id and no learner state.
  for (const char* refused :
       {"name=mum&psw=wrong&qudao=&rand=1", "name=dad&psw=s3cret&qudao=&rand=1"}) {
    auto reply = Ask(refused);
    EXPECT_FALSE(IsError(reply)) << refused;
    EXPECT_EQ(reply.body, "[user]\r\nuid=0\r\n[mofa]\r\n") << refused;
  }
  const std::string change =
      "uid=" + std::to_string(made.uid) + "&ppt=0&chapter=3&chdays=0,0,0,0,0,0,&ch_day=0&rand=2";
  EXPECT_TRUE(IsError(Ask(change)));                        // no parent login yet
  auto login = Ask("name=%6Dum&psw=s3cret&qudao=&rand=1");  // "mum", percent-encoded
  ASSERT_EQ(login.status, 200) << login.body;
  EXPECT_TRUE(Holds(login, "uid=" + std::to_string(made.uid)));
  EXPECT_TRUE(Holds(Ask(change), "result=1"));
  now_ += 601;
  EXPECT_TRUE(IsError(Ask(change)));
  // The learner's own number keeps working.
  EXPECT_FALSE(IsError(Ask("uid=" + std::to_string(made.uid) + "&ppt=" + std::to_string(made.ppt) +
                           "&study=1&rand=3")));
}

TEST_P(AccountTest, AddParentLinksAnExistingLearnerAndReplacesThePassword) {
  Ask("uid=900&ppt=1&qudao=&rand=1");
  auto made = store_->AddParent("gran", "one", 900);
  EXPECT_EQ(made.uid, 900);
  EXPECT_EQ(made.ppt, 0);
  store_->AddParent("gran", "two", 900);
  EXPECT_FALSE(Holds(Ask("name=gran&psw=one&qudao=&rand=1"), "uid=900"));
  EXPECT_TRUE(Holds(Ask("name=gran&psw=two&qudao=&rand=1"), "uid=900"));
}

TEST_P(AccountTest, MalformedAndUnknownRequestsGetAnErrorPage) {
  Ask("uid=1&ppt=2&qudao=&rand=1");
  for (const char* query :
       {"",
        "rand=1",
        "uid=1",
        "uid=1&ppt=x",
        "uid=0&ppt=2",
        "uid=-1&ppt=2",
        "uid=1&ppt=0&qudao=",
        "uid=1&ppt=2&bogus=1",
        "uid=1&ppt=2&mofa=1,2,3,",
        "uid=1&ppt=2&mofa=",
        "uid=1&ppt=2&study=2",
        "uid=1&ppt=2&chapter=6&chdays=0,0,0,0,0,0,&ch_day=0",
        "uid=1&ppt=2&chapter=1&chdays=0,0&ch_day=0",
        "uid=1&ppt=2&chapter=1&chdays=0,0,0,0,0,0,",
        "uid=1&ppt=2&chapter=1&chdays=0,0,0,0,0,0,&ch_day=-1",
        "uid=2&ppt=2&study=1",
        "name=&psw=x",
        "name=a",
        "name=a&psw=b&uid=1",
        "name=aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa&psw=b",
        "uid=1&uid=1&ppt=2",
        "uid=%zz&ppt=2",
        "uid=99999999999&ppt=2"}) {
    auto reply = Ask(query);
    EXPECT_GE(reply.status, 400) << query;
    EXPECT_TRUE(IsError(reply)) << query;
  }
}

TEST_P(AccountTest, ConcurrentUpdatesAreNeitherLostNorTorn) {
  Ask("uid=42&ppt=1&qudao=&rand=1");
  const int64_t before = store_->Revision(42);
  constexpr int kThreads = 8;
  constexpr int kEach = 40;
  auto other_store = NewStore();
  AccountScript other(*other_store);
  std::atomic<int> ok{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      AccountScript& script = t % 2 ? *script_ : other;
      for (int i = 0; i < kEach; ++i) {
        const std::string n = std::to_string(t * 1000 + i);
        auto reply =
            (i % 2) ? script.Answer("uid=42&ppt=1&mofa=" + n + "," + n + ",0,0,0,0,0,0,0,0,&rand=1")
                    : script.Answer("uid=42&ppt=1&chapter=" + std::to_string(t % 6) +
                                    "&chdays=" + n + "," + n + ",0,0,0,0,&ch_day=0&rand=1");
        if (reply.status == 200) ++ok;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(ok.load(), kThreads * kEach);
  EXPECT_EQ(store_->Revision(42) - before, kThreads * kEach);
  // Both numbers of each list come from one request: no write was mixed.
  auto state = Ask("uid=42&ppt=1&qudao=&rand=1").body;
  auto count = state.substr(state.find("count=") + 6);
  EXPECT_EQ(count.substr(0, count.find(',')), count.substr(count.find(',') + 1, count.find(',')));
  // The last write wins.
  Ask("uid=42&ppt=1&mofa=9,9,9,9,9,9,9,9,9,9,&rand=1");
  EXPECT_TRUE(Holds(Ask("uid=42&ppt=1&qudao=&rand=1"), "count=9,9,9,9,9,9,9,9,9,9,"));
  if (GetParam() != DatabaseKind::kSqlite) return;
  SqliteConnection db(database_.Location());
  SqliteStatement check(db, "PRAGMA integrity_check");
  ASSERT_TRUE(check.Step());
  EXPECT_EQ(check.Text(0), "ok");
}

// The single-machine SQLite file copied into an empty database: learners keep
// their state and revision, parents their passwords; a second copy is refused.
TEST_P(AccountTest, ACopiedDatabaseAnswersLikeTheOriginal) {
  test::TestDatabase original(DatabaseKind::kSqlite);
  {
    AccountStore source(original.Location(), [this] { return now_.load(); });
    AccountScript script(source);
    script.Answer("uid=5&ppt=9&qudao=shop&rand=1");
    script.Answer("uid=5&ppt=9&mofa=0,1,2,3,4,5,6,7,8,9,&rand=2");
    source.AddParent("mum", "s3cret", 5);
  }
  auto from = OpenAccountDatabase(original.Location());
  auto to = OpenAccountDatabase(database_.Location());
  EXPECT_EQ(CopyAccounts(*from, *to), std::make_pair(size_t{1}, size_t{1}));
  EXPECT_EQ(store_->Revision(5), 2);
  EXPECT_TRUE(Holds(Ask("uid=5&ppt=9&qudao=&rand=3"), "count=0,1,2,3,4,5,6,7,8,9,"));
  EXPECT_TRUE(IsError(Ask("uid=5&ppt=8&qudao=&rand=4")));
  EXPECT_TRUE(Holds(Ask("name=mum&psw=s3cret&qudao=&rand=5"), "uid=5"));
  EXPECT_THROW(CopyAccounts(*from, *to), DatabaseError);
}

INSTANTIATE_TEST_SUITE_P(Databases, AccountTest,
                         ::testing::Values(DatabaseKind::kSqlite, DatabaseKind::kPostgres),
                         [](const auto& info) { return test::KindName(info.param); });

}  // namespace
}  // namespace vanto::service
