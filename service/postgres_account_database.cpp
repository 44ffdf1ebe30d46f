#include "service/postgres_account_database.h"

namespace vanto::service {
namespace {

// Two sessions creating the tables at once can collide on the catalogue; the
// advisory lock makes them take turns.
const char* const kSchema = R"(
SELECT pg_advisory_xact_lock(7401);
CREATE TABLE IF NOT EXISTS learners(
  uid INTEGER PRIMARY KEY, ppt INTEGER NOT NULL, qudao TEXT NOT NULL DEFAULT '',
  reg_date INTEGER NOT NULL, day INTEGER NOT NULL DEFAULT 0, today INTEGER NOT NULL DEFAULT 0,
  dtime INTEGER NOT NULL DEFAULT 0, chapter INTEGER NOT NULL DEFAULT 0,
  ch_day INTEGER NOT NULL DEFAULT 0, review INTEGER NOT NULL DEFAULT 0,
  group_size INTEGER NOT NULL DEFAULT 6, gushi INTEGER NOT NULL DEFAULT 5,
  chap_days TEXT NOT NULL DEFAULT '0,0,0,0,0,0,',
  mofa TEXT NOT NULL DEFAULT '0,0,0,0,0,0,0,0,0,0,',
  parent_grant_until BIGINT NOT NULL DEFAULT 0, revision BIGINT NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS parents(
  name TEXT PRIMARY KEY, pw_hash TEXT NOT NULL, uid INTEGER NOT NULL REFERENCES learners(uid));
)";

const char* const kSelectLearner =
    "SELECT ppt, qudao, reg_date, day, today, dtime, chapter, ch_day, review, group_size, gushi, "
    "chap_days, mofa, parent_grant_until, revision FROM learners WHERE uid = $1";

const char* const kInsertLearner =
    "INSERT INTO learners(uid, ppt, qudao, reg_date, day, today, dtime, chapter, ch_day, review, "
    "group_size, gushi, chap_days, mofa, parent_grant_until, revision) "
    "VALUES($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12, $13, $14, $15, $16) "
    "ON CONFLICT(uid) DO NOTHING";

const char* const kSaveLearner =
    "UPDATE learners SET day = $2, today = $3, chapter = $4, ch_day = $5, review = $6, "
    "chap_days = $7, mofa = $8, parent_grant_until = $9, revision = revision + 1 WHERE uid = $1";

std::string Str(int64_t value) {
  return std::to_string(value);
}

}  // namespace

class PostgresAccountDatabase::Transaction : public AccountTransaction {
 public:
  Transaction(ConnectionPool<PgConnection>& pool, bool write)
      : pool_(pool), db_(pool.Take()), write_(write) {
    db_->Run(write ? "BEGIN" : "BEGIN READ ONLY");
  }
  ~Transaction() override {
    if (!done_) {
      try {
        db_->Run("ROLLBACK");
      } catch (const DatabaseError&) {
      }
    }
    if (db_->Reusable()) pool_.Give(std::move(db_));  // a lost connection is dropped
  }

  std::optional<LearnerRow> Learner(int uid) override {
    std::string sql = kSelectLearner;
    if (write_) sql += " FOR UPDATE";
    PgResult r = db_->Run(sql.c_str(), {Str(uid)});
    if (r.Rows() == 0) return std::nullopt;
    LearnerRow row;
    row.ppt = static_cast<int>(r.Int(0, 0));
    row.qudao = r.Text(0, 1);
    row.reg_date = static_cast<int>(r.Int(0, 2));
    LearnerState& s = row.state;
    s.uid = uid;
    s.day = static_cast<int>(r.Int(0, 3));
    s.today = static_cast<int>(r.Int(0, 4));
    s.dtime = static_cast<int>(r.Int(0, 5));
    s.chapter = static_cast<int>(r.Int(0, 6));
    s.ch_day = static_cast<int>(r.Int(0, 7));
    s.review = static_cast<int>(r.Int(0, 8));
    s.group = static_cast<int>(r.Int(0, 9));
    s.gushi = static_cast<int>(r.Int(0, 10));
    s.chap_days = ParseNumberList<6>(r.Text(0, 11)).value_or(std::array<int, 6>{});
    s.mofa = ParseNumberList<10>(r.Text(0, 12)).value_or(std::array<int, 10>{});
    row.grant_until = r.Int(0, 13);
    row.revision = r.Int(0, 14);
    return row;
  }

  void AddLearner(const LearnerRow& row) override {
    const LearnerState& s = row.state;
    db_->Run(kInsertLearner,
             {Str(s.uid), Str(row.ppt), row.qudao, Str(row.reg_date), Str(s.day), Str(s.today),
              Str(s.dtime), Str(s.chapter), Str(s.ch_day), Str(s.review), Str(s.group),
              Str(s.gushi), FormatNumberList(s.chap_days), FormatNumberList(s.mofa),
              Str(row.grant_until), Str(row.revision)});
  }

  void SaveLearner(const LearnerRow& row) override {
    const LearnerState& s = row.state;
    db_->Run(kSaveLearner,
             {Str(s.uid), Str(s.day), Str(s.today), Str(s.chapter), Str(s.ch_day), Str(s.review),
              FormatNumberList(s.chap_days), FormatNumberList(s.mofa), Str(row.grant_until)});
  }

  std::optional<ParentRow> Parent(const std::string& name) override {
    PgResult r = db_->Run("SELECT pw_hash, uid FROM parents WHERE name = $1", {name});
    if (r.Rows() == 0) return std::nullopt;
    return ParentRow{name, r.Text(0, 0), static_cast<int>(r.Int(0, 1))};
  }

  void SaveParent(const ParentRow& parent) override {
    db_->Run(
        "INSERT INTO parents(name, pw_hash, uid) VALUES($1, $2, $3) "
        "ON CONFLICT(name) DO UPDATE SET pw_hash = excluded.pw_hash, uid = excluded.uid",
        {parent.name, parent.pw_hash, Str(parent.uid)});
  }

  std::vector<int> Uids() override {
    PgResult r = db_->Run("SELECT uid FROM learners ORDER BY uid");
    std::vector<int> uids;
    for (int i = 0; i < r.Rows(); ++i) uids.push_back(static_cast<int>(r.Int(i, 0)));
    return uids;
  }

  std::vector<ParentRow> Parents() override {
    PgResult r = db_->Run("SELECT name, pw_hash, uid FROM parents ORDER BY name");
    std::vector<ParentRow> parents;
    for (int i = 0; i < r.Rows(); ++i)
      parents.push_back({r.Text(i, 0), r.Text(i, 1), static_cast<int>(r.Int(i, 2))});
    return parents;
  }

  void Commit() override {
    db_->Run("COMMIT");
    done_ = true;
  }

 private:
  ConnectionPool<PgConnection>& pool_;
  std::unique_ptr<PgConnection> db_;
  bool write_;
  bool done_ = false;
};

PostgresAccountDatabase::PostgresAccountDatabase(std::string uri)
    : uri_(std::move(uri)), pool_([this] { return std::make_unique<PgConnection>(uri_); }) {
  auto db = pool_.Take();
  db->Run(kSchema);  // one implicit transaction for the whole script
  pool_.Give(std::move(db));
}

std::unique_ptr<AccountTransaction> PostgresAccountDatabase::Begin(bool write) {
  return std::make_unique<Transaction>(pool_, write);
}

}  // namespace vanto::service
