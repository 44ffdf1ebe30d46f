// Accounts in PostgreSQL: one transaction per operation, the learner's row
// locked (SELECT ... FOR UPDATE) while it is changed, so that concurrent
// writers of one learner, in this process or in others, take turns.
#pragma once

#include <string>

#include "service/accounts/account_database.h"
#include "service/accounts/connection_pool.h"
#include "service/accounts/postgres_db.h"

namespace vanto::service {

class PostgresAccountDatabase : public AccountDatabase {
 public:
  explicit PostgresAccountDatabase(std::string uri);
  std::unique_ptr<AccountTransaction> Begin(bool write) override;

 private:
  class Transaction;
  std::string uri_;
  ConnectionPool<PgConnection> pool_;
};

}  // namespace vanto::service
