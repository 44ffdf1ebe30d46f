// Learner accounts, parent accounts and learner state in SQLite (WAL mode,
// one immediate transaction per operation, a pool of connections).
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
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "service/learner_state.h"
#include "service/password_hash.h"
#include "service/sqlite_db.h"

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

  explicit AccountStore(std::string path, Clock clock = nullptr);

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
  class Lease;
  std::unique_ptr<SqliteConnection> Acquire();
  void Release(std::unique_ptr<SqliteConnection> connection);
  template <typename Change>
  AccountResult Update(int uid, int ppt, Change change);
  int Today() const;

  std::string path_;
  Clock clock_;
  PasswordHasher hasher_;
  // Writers of this process queue here instead of in SQLite's busy handler,
  // which sleeps and retries; other processes still meet the busy timeout.
  std::mutex write_mutex_;
  std::mutex pool_mutex_;
  std::vector<std::unique_ptr<SqliteConnection>> pool_;
};

}  // namespace vanto::service
