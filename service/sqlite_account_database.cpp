#include "service/sqlite_account_database.h"

namespace vanto::service {
namespace {

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
    "SELECT ppt, qudao, reg_date, day, today, dtime, chapter, ch_day, review, group_size, gushi, "
    "chap_days, mofa, parent_grant_until, revision FROM learners WHERE uid = ?1";

const char* const kInsertLearner =
    "INSERT INTO learners(uid, ppt, qudao, reg_date, day, today, dtime, chapter, ch_day, review, "
    "group_size, gushi, chap_days, mofa, parent_grant_until, revision) "
    "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16) "
    "ON CONFLICT(uid) DO NOTHING";

const char* const kSaveLearner =
    "UPDATE learners SET day = ?2, today = ?3, chapter = ?4, ch_day = ?5, review = ?6, "
    "chap_days = ?7, mofa = ?8, parent_grant_until = ?9, revision = revision + 1 WHERE uid = ?1";

}  // namespace

class SqliteAccountDatabase::Transaction : public AccountTransaction {
 public:
  Transaction(SqliteAccountDatabase& owner, bool write) : owner_(owner), db_(owner.pool_.Take()) {
    if (write) writing_ = std::unique_lock(owner.write_mutex_);
    db_->Execute(write ? "BEGIN IMMEDIATE" : "BEGIN");
  }
  ~Transaction() override {
    if (!done_) {
      try {
        db_->Execute("ROLLBACK");
      } catch (const SqliteError&) {
        return;  // the connection is in an unknown state: not reused
      }
    }
    owner_.pool_.Give(std::move(db_));
  }

  std::optional<LearnerRow> Learner(int uid) override {
    SqliteStatement select(*db_, kSelectLearner);
    select.Bind(1, uid);
    if (!select.Step()) return std::nullopt;
    LearnerRow row;
    row.ppt = static_cast<int>(select.Int(0));
    row.qudao = select.Text(1);
    row.reg_date = static_cast<int>(select.Int(2));
    LearnerState& s = row.state;
    s.uid = uid;
    s.day = static_cast<int>(select.Int(3));
    s.today = static_cast<int>(select.Int(4));
    s.dtime = static_cast<int>(select.Int(5));
    s.chapter = static_cast<int>(select.Int(6));
    s.ch_day = static_cast<int>(select.Int(7));
    s.review = static_cast<int>(select.Int(8));
    s.group = static_cast<int>(select.Int(9));
    s.gushi = static_cast<int>(select.Int(10));
    s.chap_days = ParseNumberList<6>(select.Text(11)).value_or(std::array<int, 6>{});
    s.mofa = ParseNumberList<10>(select.Text(12)).value_or(std::array<int, 10>{});
    row.grant_until = select.Int(13);
    row.revision = select.Int(14);
    return row;
  }

  void AddLearner(const LearnerRow& row) override {
    const LearnerState& s = row.state;
    SqliteStatement insert(*db_, kInsertLearner);
    insert.Bind(1, s.uid).Bind(2, row.ppt).Bind(3, row.qudao).Bind(4, row.reg_date);
    insert.Bind(5, s.day).Bind(6, s.today).Bind(7, s.dtime).Bind(8, s.chapter).Bind(9, s.ch_day);
    insert.Bind(10, s.review).Bind(11, s.group).Bind(12, s.gushi);
    insert.Bind(13, FormatNumberList(s.chap_days)).Bind(14, FormatNumberList(s.mofa));
    insert.Bind(15, row.grant_until).Bind(16, row.revision);
    insert.Step();
  }

  void SaveLearner(const LearnerRow& row) override {
    const LearnerState& s = row.state;
    SqliteStatement update(*db_, kSaveLearner);
    update.Bind(1, s.uid).Bind(2, s.day).Bind(3, s.today).Bind(4, s.chapter).Bind(5, s.ch_day);
    update.Bind(6, s.review).Bind(7, FormatNumberList(s.chap_days));
    update.Bind(8, FormatNumberList(s.mofa)).Bind(9, row.grant_until);
    update.Step();
  }

  std::optional<ParentRow> Parent(const std::string& name) override {
    SqliteStatement select(*db_, "SELECT pw_hash, uid FROM parents WHERE name = ?1");
    select.Bind(1, name);
    if (!select.Step()) return std::nullopt;
    return ParentRow{name, select.Text(0), static_cast<int>(select.Int(1))};
  }

  void SaveParent(const ParentRow& parent) override {
    SqliteStatement upsert(
        *db_,
        "INSERT INTO parents(name, pw_hash, uid) VALUES(?1, ?2, ?3) "
        "ON CONFLICT(name) DO UPDATE SET pw_hash = excluded.pw_hash, uid = excluded.uid");
    upsert.Bind(1, parent.name).Bind(2, parent.pw_hash).Bind(3, parent.uid);
    upsert.Step();
  }

  std::vector<int> Uids() override {
    std::vector<int> uids;
    SqliteStatement select(*db_, "SELECT uid FROM learners ORDER BY uid");
    while (select.Step()) uids.push_back(static_cast<int>(select.Int(0)));
    return uids;
  }

  std::vector<ParentRow> Parents() override {
    std::vector<ParentRow> parents;
    SqliteStatement select(*db_, "SELECT name, pw_hash, uid FROM parents ORDER BY name");
    while (select.Step())
      parents.push_back({select.Text(0), select.Text(1), static_cast<int>(select.Int(2))});
    return parents;
  }

  void Commit() override {
    db_->Execute("COMMIT");
    done_ = true;
  }

 private:
  SqliteAccountDatabase& owner_;
  std::unique_ptr<SqliteConnection> db_;
  std::unique_lock<std::mutex> writing_;
  bool done_ = false;
};

SqliteAccountDatabase::SqliteAccountDatabase(std::string path)
    : path_(std::move(path)), pool_([this] { return std::make_unique<SqliteConnection>(path_); }) {
  auto db = pool_.Take();
  db->Execute(kSchema);
  pool_.Give(std::move(db));
}

std::unique_ptr<AccountTransaction> SqliteAccountDatabase::Begin(bool write) {
  return std::make_unique<Transaction>(*this, write);
}

}  // namespace vanto::service
