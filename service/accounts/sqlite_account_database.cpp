#include "service/accounts/sqlite_account_database.h"

#include "service/accounts/account_sql.h"

namespace vanto::service {
namespace {

// Prepares a shared statement with SQLite's parameter marks and binds the values.
SqliteStatement Prepare(SqliteConnection& db, const char* sql,
                        const std::vector<std::string>& values = {}) {
  SqliteStatement statement(db, account_sql::ForSqlite(sql).c_str());
  for (size_t i = 0; i < values.size(); ++i) statement.Bind(static_cast<int>(i + 1), values[i]);
  return statement;
}

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
    SqliteStatement select = Prepare(*db_, account_sql::kSelectLearner, {std::to_string(uid)});
    if (!select.Step()) return std::nullopt;
    return account_sql::DecodeLearner(uid, [&](int i) { return select.Text(i); });
  }

  void AddLearner(const LearnerRow& row) override {
    Prepare(*db_, account_sql::kInsertLearner, account_sql::InsertValues(row)).Step();
  }

  void SaveLearner(const LearnerRow& row) override {
    Prepare(*db_, account_sql::kSaveLearner, account_sql::SaveValues(row)).Step();
  }

  std::optional<ParentRow> Parent(const std::string& name) override {
    SqliteStatement select = Prepare(*db_, account_sql::kSelectParent, {name});
    if (!select.Step()) return std::nullopt;
    return ParentRow{name, select.Text(0), static_cast<int>(select.Int(1))};
  }

  void SaveParent(const ParentRow& parent) override {
    Prepare(*db_, account_sql::kSaveParent,
            {parent.name, parent.pw_hash, std::to_string(parent.uid)})
        .Step();
  }

  std::vector<int> Uids() override {
    std::vector<int> uids;
    SqliteStatement select = Prepare(*db_, account_sql::kSelectUids);
    while (select.Step()) uids.push_back(static_cast<int>(select.Int(0)));
    return uids;
  }

  std::vector<ParentRow> Parents() override {
    std::vector<ParentRow> parents;
    SqliteStatement select = Prepare(*db_, account_sql::kSelectParents);
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
  db->Execute(account_sql::kSchema);
  pool_.Give(std::move(db));
}

std::unique_ptr<AccountTransaction> SqliteAccountDatabase::Begin(bool write) {
  return std::make_unique<Transaction>(*this, write);
}

}  // namespace vanto::service
