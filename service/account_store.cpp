#include "service/account_store.h"

#include <sodium.h>

#include <chrono>
#include <ctime>
#include <limits>

namespace vanto::service {
namespace {

constexpr int64_t kParentGrantSeconds = 600;

const char* const kSchema = R"(
CREATE TABLE IF NOT EXISTS learners(
  uid INTEGER PRIMARY KEY, ppt INTEGER NOT NULL, qudao TEXT NOT NULL DEFAULT '',
  reg_date INTEGER NOT NULL, day INTEGER NOT NULL DEFAULT 0, today INTEGER NOT NULL DEFAULT 0,
  dtime INTEGER NOT NULL DEFAULT 0, chapter INTEGER NOT NULL DEFAULT 0,
  ch_day INTEGER NOT NULL DEFAULT 0, review INTEGER NOT NULL DEFAULT 0,
  group_size INTEGER NOT NULL DEFAULT 6, gushi INTEGER NOT NULL DEFAULT 5,
  chap_days TEXT NOT NULL DEFAULT '0,0,0,0,0,0,',
  mofa TEXT NOT NULL DEFAULT '0,0,0,0,0,0,0,0,0,0,',
  parent_grant_until INTEGER NOT NULL DEFAULT 0, revision INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS parents(
  name TEXT PRIMARY KEY, pw_hash TEXT NOT NULL, uid INTEGER NOT NULL REFERENCES learners(uid));
)";

const char* const kSelectLearner =
    "SELECT ppt, reg_date, day, today, dtime, chapter, ch_day, review, group_size, gushi, "
    "chap_days, mofa, parent_grant_until FROM learners WHERE uid = ?1";

const char* const kSaveLearner =
    "UPDATE learners SET day = ?2, today = ?3, chapter = ?4, ch_day = ?5, review = ?6, "
    "chap_days = ?7, mofa = ?8, parent_grant_until = ?9, revision = revision + 1 WHERE uid = ?1";

struct Row {
  int ppt = 0;
  int reg_date = 0;
  int64_t grant_until = 0;
  LearnerState state;
};

std::optional<Row> LoadRow(SqliteConnection& db, int uid) {
  SqliteStatement select(db, kSelectLearner);
  select.Bind(1, uid);
  if (!select.Step()) return std::nullopt;
  Row row;
  row.ppt = static_cast<int>(select.Int(0));
  row.reg_date = static_cast<int>(select.Int(1));
  LearnerState& s = row.state;
  s.uid = uid;
  s.day = static_cast<int>(select.Int(2));
  s.today = static_cast<int>(select.Int(3));
  s.dtime = static_cast<int>(select.Int(4));
  s.chapter = static_cast<int>(select.Int(5));
  s.ch_day = static_cast<int>(select.Int(6));
  s.review = static_cast<int>(select.Int(7));
  s.group = static_cast<int>(select.Int(8));
  s.gushi = static_cast<int>(select.Int(9));
  s.chap_days = ParseNumberList<6>(select.Text(10)).value_or(std::array<int, 6>{});
  s.mofa = ParseNumberList<10>(select.Text(11)).value_or(std::array<int, 10>{});
  row.grant_until = select.Int(12);
  return row;
}

void SaveRow(SqliteConnection& db, const Row& row) {
  const LearnerState& s = row.state;
  SqliteStatement update(db, kSaveLearner);
  update.Bind(1, s.uid).Bind(2, s.day).Bind(3, s.today).Bind(4, s.chapter).Bind(5, s.ch_day);
  update.Bind(6, s.review).Bind(7, FormatNumberList(s.chap_days)).Bind(8, FormatNumberList(s.mofa));
  update.Bind(9, row.grant_until);
  update.Step();
}

void InsertLearner(SqliteConnection& db, int uid, int ppt, const std::string& qudao, int today) {
  SqliteStatement insert(
      db, "INSERT INTO learners(uid, ppt, qudao, reg_date, today) VALUES(?1, ?2, ?3, ?4, ?4)");
  insert.Bind(1, uid).Bind(2, ppt).Bind(3, qudao).Bind(4, today);
  insert.Step();
}

int DaysFromCivil(int yyyymmdd) {
  using namespace std::chrono;
  year_month_day date{year(yyyymmdd / 10000), month(static_cast<unsigned>(yyyymmdd / 100 % 100)),
                      day(static_cast<unsigned>(yyyymmdd % 100))};
  return date.ok() ? static_cast<int>(sys_days(date).time_since_epoch().count()) : 0;
}

// A new calendar date adds one study day and clears the day's review, as the
// course host does when it loads its study file.
void RollOver(Row& row, int today) {
  LearnerState& s = row.state;
  if (s.today != today) {
    s.review = 0;
    if (s.today > 0) ++s.day;
    s.today = today;
  }
  s.reg_day = std::max(0, DaysFromCivil(today) - DaysFromCivil(row.reg_date));
}

bool MayAct(const Row& row, int ppt, int64_t now) {
  return ppt == row.ppt || (ppt == 0 && now < row.grant_until);
}

}  // namespace

AccountStore::AccountStore(std::string path, Clock clock)
    : path_(std::move(path)), clock_(std::move(clock)) {
  if (!clock_) clock_ = [] { return static_cast<int64_t>(std::time(nullptr)); };
  auto db = Acquire();
  db->Execute(kSchema);
  Release(std::move(db));
}

class AccountStore::Lease {
 public:
  explicit Lease(AccountStore& store) : store_(store), db_(store.Acquire()) {}
  ~Lease() { store_.Release(std::move(db_)); }
  SqliteConnection& operator*() { return *db_; }

 private:
  AccountStore& store_;
  std::unique_ptr<SqliteConnection> db_;
};

std::unique_ptr<SqliteConnection> AccountStore::Acquire() {
  {
    std::lock_guard lock(pool_mutex_);
    if (!pool_.empty()) {
      auto db = std::move(pool_.back());
      pool_.pop_back();
      return db;
    }
  }
  return std::make_unique<SqliteConnection>(path_);
}

void AccountStore::Release(std::unique_ptr<SqliteConnection> connection) {
  std::lock_guard lock(pool_mutex_);
  pool_.push_back(std::move(connection));
}

int AccountStore::Today() const {
  time_t now = static_cast<time_t>(clock_());
  std::tm local{};
  localtime_r(&now, &local);
  return (local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
}

template <typename Change>
AccountResult AccountStore::Update(int uid, int ppt, Change change) {
  Lease lease(*this);
  std::lock_guard writing(write_mutex_);
  SqliteTransaction transaction(*lease);
  auto row = LoadRow(*lease, uid);
  if (!row) return {AccountOutcome::kUnknown, {}};
  if (!MayAct(*row, ppt, clock_())) return {AccountOutcome::kDenied, {}};
  RollOver(*row, Today());
  change(*row);
  SaveRow(*lease, *row);
  transaction.Commit();
  return {AccountOutcome::kOk, row->state};
}

AccountResult AccountStore::Login(int uid, int ppt, const std::string& qudao) {
  {
    Lease lease(*this);
    std::lock_guard writing(write_mutex_);
    SqliteTransaction transaction(*lease);
    if (!LoadRow(*lease, uid)) {
      InsertLearner(*lease, uid, ppt, qudao, Today());
      transaction.Commit();
    }
  }
  return Update(uid, ppt, [](Row&) {});
}

AccountResult AccountStore::ParentLogin(const std::string& name, const std::string& password) {
  std::optional<std::pair<std::string, int>> parent;
  {
    Lease lease(*this);
    SqliteStatement select(*lease, "SELECT pw_hash, uid FROM parents WHERE name = ?1");
    select.Bind(1, name);
    if (select.Step()) parent.emplace(select.Text(0), static_cast<int>(select.Int(1)));
  }
  if (!parent) {
    hasher_.VerifyNothing(password);
    return {AccountOutcome::kDenied, {}};
  }
  if (!hasher_.Verify(parent->first, password)) return {AccountOutcome::kDenied, {}};
  Lease lease(*this);
  std::lock_guard writing(write_mutex_);
  SqliteTransaction transaction(*lease);
  auto row = LoadRow(*lease, parent->second);
  if (!row) return {AccountOutcome::kUnknown, {}};
  RollOver(*row, Today());
  row->grant_until = clock_() + kParentGrantSeconds;
  SaveRow(*lease, *row);
  transaction.Commit();
  return {AccountOutcome::kOk, row->state};
}

AccountResult AccountStore::ReportMofa(int uid, int ppt, const std::array<int, 10>& counts) {
  return Update(uid, ppt, [&](Row& row) { row.state.mofa = counts; });
}

AccountResult AccountStore::ReportStudy(int uid, int ppt) {
  return Update(uid, ppt, [](Row& row) { row.state.review = 1; });
}

AccountResult AccountStore::ChangeChapter(int uid, int ppt, int chapter,
                                          const std::array<int, 6>& chap_days, int ch_day) {
  return Update(uid, ppt, [&](Row& row) {
    LearnerState& s = row.state;
    s.chapter = chapter;
    s.chap_days = chap_days;
    s.ch_day = std::clamp(ch_day, 0, s.day);
    s.review = 0;
  });
}

NewParent AccountStore::AddParent(const std::string& name, const std::string& password, int uid) {
  const std::string hash = hasher_.Hash(password);
  Lease lease(*this);
  std::lock_guard writing(write_mutex_);
  SqliteTransaction transaction(*lease);
  NewParent result{uid, 0};
  if (uid <= 0 || !LoadRow(*lease, uid)) {
    if (uid <= 0) {
      SqliteStatement next(*lease, "SELECT COALESCE(MAX(uid), 100000) + 1 FROM learners");
      next.Step();
      if (next.Int(0) > std::numeric_limits<int32_t>::max())
        throw SqliteError("no free user id left");
      result.uid = static_cast<int>(next.Int(0));
    }
    result.ppt = static_cast<int>(randombytes_uniform(900000000) + 100000000);
    InsertLearner(*lease, result.uid, result.ppt, "", Today());
  }
  SqliteStatement upsert(
      *lease,
      "INSERT INTO parents(name, pw_hash, uid) VALUES(?1, ?2, ?3) "
      "ON CONFLICT(name) DO UPDATE SET pw_hash = excluded.pw_hash, uid = excluded.uid");
  upsert.Bind(1, name).Bind(2, hash).Bind(3, result.uid);
  upsert.Step();
  transaction.Commit();
  return result;
}

int64_t AccountStore::Revision(int uid) {
  Lease lease(*this);
  SqliteStatement select(*lease, "SELECT revision FROM learners WHERE uid = ?1");
  select.Bind(1, uid);
  return select.Step() ? select.Int(0) : -1;
}

}  // namespace vanto::service
