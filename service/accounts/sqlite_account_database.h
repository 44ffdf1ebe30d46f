// Accounts in a SQLite file: WAL mode, a busy timeout for other processes,
// and the writers of this process queued on one lock (instead of SQLite's busy
// handler, which sleeps and retries).
#pragma once

#include <mutex>
#include <string>

#include "service/accounts/account_database.h"
#include "service/accounts/connection_pool.h"
#include "service/accounts/sqlite_db.h"

namespace vanto::service {

class SqliteAccountDatabase : public AccountDatabase {
 public:
  explicit SqliteAccountDatabase(std::string path);
  std::unique_ptr<AccountTransaction> Begin(bool write) override;

 private:
  class Transaction;
  std::string path_;
  std::mutex write_mutex_;
  ConnectionPool<SqliteConnection> pool_;
};

}  // namespace vanto::service
