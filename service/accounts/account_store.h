// Learner accounts, parent accounts and learner state, kept in an account
// database (SQLite or PostgreSQL), one transaction per operation.
//
// A learner is known by its user id and its number `ppt`. A login with an
// unknown user id creates the learner; every later request must carry the
// same `ppt`, except in the ten minutes after a parent login for that
// learner, when `ppt` 0 is accepted as well (the course host knows only the
// user id after a parent login). Each operation first rolls the learner's
// study day over when the date has changed since it was last seen.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "service/accounts/account_database.h"
#include "service/accounts/learner_state.h"
#include "service/accounts/password_hash.h"

namespace vanto::service {

enum class AccountOutcome { kOk, kDenied, kUnknown };

struct AccountResult {
  AccountOutcome outcome = AccountOutcome::kDenied;
  LearnerState state;
};

struct NewParent {
  int uid = 0;
  int ppt = 0;  // the learner's number when the learner was created now, else 0
};

class AccountStore {
 public:
  using Clock = std::function<int64_t()>;  // seconds since the epoch

  // `database` is a SQLite file or a "postgresql://" URI.
  explicit AccountStore(const std::string& database, Clock clock = nullptr);

  AccountResult Login(int uid, int ppt, const std::string& qudao);
  AccountResult ParentLogin(const std::string& name, const std::string& password);
  AccountResult ReportMofa(int uid, int ppt, const std::array<int, 10>& counts);
  AccountResult ReportStudy(int uid, int ppt);
  AccountResult ChangeChapter(int uid, int ppt, int chapter, const std::array<int, 6>& chap_days,
                              int ch_day);
  // Adds or replaces a parent account for learner `uid` (a new learner with a
  // random number when uid is 0 or unknown).
  NewParent AddParent(const std::string& name, const std::string& password, int uid);

  // Number of changes ever written to a learner (for integrity checks).
  int64_t Revision(int uid);

 private:
  // Runs `change` on the learner in one transaction; `create` is added first
  // when the learner is unknown.
  template <typename Change>
  AccountResult Update(int uid, int ppt, Change change,
                       const std::optional<LearnerRow>& create = std::nullopt);
  int Today() const;

  std::unique_ptr<AccountDatabase> db_;
  Clock clock_;
  PasswordHasher hasher_;
};

}  // namespace vanto::service
