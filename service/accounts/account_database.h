// Where accounts are kept: one interface, implemented on SQLite (a file, the
// default) and on PostgreSQL (a "postgresql://" URI); OpenAccountDatabase
// (open_account_database.h) picks one. The account rules live in
// AccountStore; a database only loads and saves rows inside transactions.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "service/accounts/learner_state.h"

namespace vanto::service {

struct DatabaseError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A learner as stored: its state and what only the service sees.
struct LearnerRow {
  int ppt = 0;
  std::string qudao;
  int reg_date = 0;  // yyyymmdd of the creation
  int64_t grant_until = 0;
  int64_t revision = 0;  // number of changes ever written
  LearnerState state;
};

struct ParentRow {
  std::string name;
  std::string pw_hash;
  int uid = 0;
};

// One transaction; rolled back unless Commit() is called.
class AccountTransaction {
 public:
  virtual ~AccountTransaction() = default;
  // The learner, locked against other writers until the transaction ends.
  virtual std::optional<LearnerRow> Learner(int uid) = 0;
  // Adds the learner with all its fields; does nothing when the user id exists.
  virtual void AddLearner(const LearnerRow& row) = 0;
  // Saves the learner's state and grant and adds one to its revision.
  virtual void SaveLearner(const LearnerRow& row) = 0;
  virtual std::optional<ParentRow> Parent(const std::string& name) = 0;
  // Adds the parent or replaces its password and learner.
  virtual void SaveParent(const ParentRow& parent) = 0;
  virtual std::vector<int> Uids() = 0;
  virtual std::vector<ParentRow> Parents() = 0;
  virtual void Commit() = 0;
};

class AccountDatabase {
 public:
  virtual ~AccountDatabase() = default;
  // `write` transactions of one learner run one after another.
  virtual std::unique_ptr<AccountTransaction> Begin(bool write) = 0;
};

// Copies every learner and parent from `from` into `to`, which must hold no
// learner yet; all or nothing. Returns the numbers of learners and parents.
std::pair<size_t, size_t> CopyAccounts(AccountDatabase& from, AccountDatabase& to);

}  // namespace vanto::service
