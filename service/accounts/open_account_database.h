// Opening the account database a location names: the one place that knows
// both stores.
#pragma once

#include <memory>
#include <string>

#include "service/accounts/account_database.h"

namespace vanto::service {

// A "postgresql://" or "postgres://" URI opens PostgreSQL, anything else is
// the path of a SQLite file. Creates the tables when they are missing.
std::unique_ptr<AccountDatabase> OpenAccountDatabase(const std::string& location);

}  // namespace vanto::service
