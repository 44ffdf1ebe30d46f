#include "service/accounts/postgres_account_database.h"

#include "service/accounts/account_sql.h"

namespace vanto::service {
namespace {

// Two sessions creating the tables at once can collide on the catalogue; the
// advisory lock makes them take turns.
const char* const kLockSchema = "SELECT pg_advisory_xact_lock(7401);";

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
    std::string sql = account_sql::kSelectLearner;
    if (write_) sql += " FOR UPDATE";
    PgResult r = db_->Run(sql.c_str(), {std::to_string(uid)});
    if (r.Rows() == 0) return std::nullopt;
    return account_sql::DecodeLearner(uid, [&](int i) { return r.Text(0, i); });
  }

  void AddLearner(const LearnerRow& row) override {
    db_->Run(account_sql::kInsertLearner, account_sql::InsertValues(row));
  }

  void SaveLearner(const LearnerRow& row) override {
    db_->Run(account_sql::kSaveLearner, account_sql::SaveValues(row));
  }

  std::optional<ParentRow> Parent(const std::string& name) override {
    PgResult r = db_->Run(account_sql::kSelectParent, {name});
    if (r.Rows() == 0) return std::nullopt;
    return ParentRow{name, r.Text(0, 0), static_cast<int>(r.Int(0, 1))};
  }

  void SaveParent(const ParentRow& parent) override {
    db_->Run(account_sql::kSaveParent, {parent.name, parent.pw_hash, std::to_string(parent.uid)});
  }

  std::vector<int> Uids() override {
    PgResult r = db_->Run(account_sql::kSelectUids);
    std::vector<int> uids;
    for (int i = 0; i < r.Rows(); ++i) uids.push_back(static_cast<int>(r.Int(i, 0)));
    return uids;
  }

  std::vector<ParentRow> Parents() override {
    PgResult r = db_->Run(account_sql::kSelectParents);
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
  // One implicit transaction for the whole script.
  db->Run((std::string(kLockSchema) + account_sql::kSchema).c_str());
  pool_.Give(std::move(db));
}

std::unique_ptr<AccountTransaction> PostgresAccountDatabase::Begin(bool write) {
  return std::make_unique<Transaction>(pool_, write);
}

}  // namespace vanto::service
