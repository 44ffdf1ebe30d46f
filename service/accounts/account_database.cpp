#include "service/accounts/account_database.h"

namespace vanto::service {

std::pair<size_t, size_t> CopyAccounts(AccountDatabase& from, AccountDatabase& to) {
  auto source = from.Begin(false);
  auto target = to.Begin(true);
  if (!target->Uids().empty())
    throw DatabaseError("the target already holds learners; copy only into an empty database");
  const std::vector<int> uids = source->Uids();
  for (int uid : uids) {
    if (auto row = source->Learner(uid)) target->AddLearner(*row);
  }
  const std::vector<ParentRow> parents = source->Parents();
  for (const ParentRow& parent : parents) target->SaveParent(parent);
  target->Commit();
  return {uids.size(), parents.size()};
}

}  // namespace vanto::service
