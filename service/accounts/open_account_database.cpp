#include "service/accounts/open_account_database.h"

#include "service/accounts/postgres_account_database.h"
#include "service/accounts/sqlite_account_database.h"

namespace vanto::service {

std::unique_ptr<AccountDatabase> OpenAccountDatabase(const std::string& location) {
  if (location.starts_with("postgresql://") || location.starts_with("postgres://"))
    return std::make_unique<PostgresAccountDatabase>(location);
  return std::make_unique<SqliteAccountDatabase>(location);
}

}  // namespace vanto::service
