#include "service/accounts/account_store.h"

#include <sodium.h>

#include <chrono>
#include <ctime>
#include <limits>

#include "service/accounts/open_account_database.h"

namespace vanto::service {
namespace {

constexpr int64_t kParentGrantSeconds = 600;

using Row = LearnerRow;

Row NewLearner(int uid, int ppt, const std::string& qudao, int today) {
  Row row;
  row.ppt = ppt;
  row.qudao = qudao;
  row.reg_date = today;
  row.state.uid = uid;
  row.state.today = today;
  return row;
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

AccountStore::AccountStore(const std::string& database, Clock clock)
    : db_(OpenAccountDatabase(database)), clock_(std::move(clock)) {
  if (!clock_) clock_ = [] { return static_cast<int64_t>(std::time(nullptr)); };
}

int AccountStore::Today() const {
  time_t now = static_cast<time_t>(clock_());
  std::tm local{};
  localtime_r(&now, &local);
  return (local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
}

template <typename Change>
AccountResult AccountStore::Update(int uid, int ppt, Change change,
                                   const std::optional<LearnerRow>& create) {
  auto transaction = db_->Begin(true);
  auto row = transaction->Learner(uid);
  if (!row && create) {
    transaction->AddLearner(*create);
    row = transaction->Learner(uid);
  }
  if (!row) return {AccountOutcome::kUnknown, {}};
  if (!MayAct(*row, ppt, clock_())) return {AccountOutcome::kDenied, {}};
  RollOver(*row, Today());
  change(*row);
  transaction->SaveLearner(*row);
  transaction->Commit();
  return {AccountOutcome::kOk, row->state};
}

AccountResult AccountStore::Login(int uid, int ppt, const std::string& qudao) {
  return Update(
      uid, ppt, [](Row&) {}, NewLearner(uid, ppt, qudao, Today()));
}

AccountResult AccountStore::ParentLogin(const std::string& name, const std::string& password) {
  auto parent = db_->Begin(false)->Parent(name);
  if (!parent) {
    hasher_.VerifyNothing(password);
    return {AccountOutcome::kDenied, {}};
  }
  if (!hasher_.Verify(parent->pw_hash, password)) return {AccountOutcome::kDenied, {}};
  auto transaction = db_->Begin(true);
  auto row = transaction->Learner(parent->uid);
  if (!row) return {AccountOutcome::kUnknown, {}};
  RollOver(*row, Today());
  row->grant_until = clock_() + kParentGrantSeconds;
  transaction->SaveLearner(*row);
  transaction->Commit();
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
  auto transaction = db_->Begin(true);
  NewParent result{uid, 0};
  if (uid <= 0 || !transaction->Learner(uid)) {
    if (uid <= 0) {
      const std::vector<int> uids = transaction->Uids();
      const int64_t next = uids.empty() ? 100001 : std::max<int64_t>(uids.back(), 100000) + 1;
      if (next > std::numeric_limits<int32_t>::max()) throw DatabaseError("no free user id left");
      result.uid = static_cast<int>(next);
    }
    result.ppt = static_cast<int>(randombytes_uniform(900000000) + 100000000);
    transaction->AddLearner(NewLearner(result.uid, result.ppt, "", Today()));
  }
  transaction->SaveParent({name, hash, result.uid});
  transaction->Commit();
  return result;
}

int64_t AccountStore::Revision(int uid) {
  auto row = db_->Begin(false)->Learner(uid);
  return row ? row->revision : -1;
}

}  // namespace vanto::service
