// An empty account database for one test: a SQLite file in a temporary
// folder, or a fresh database in the throw-away PostgreSQL cluster that ctest
// starts for the service tests (postgres_cluster.sh writes its URI into the
// file VANTO_TEST_POSTGRES). Tests skip with the reason when there is none.
#pragma once

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <optional>
#include <string>

#include "service/accounts/postgres_db.h"
#include "temp_folder.h"

namespace vanto::service::test {

enum class DatabaseKind { kSqlite, kPostgres };

inline std::string KindName(DatabaseKind kind) {
  return kind == DatabaseKind::kSqlite ? "Sqlite" : "Postgres";
}

class TestDatabase {
 public:
  explicit TestDatabase(DatabaseKind kind) {
    if (kind == DatabaseKind::kSqlite) {
      location_ = (folder_.path() / "accounts.db").string();
      return;
    }
    const std::string admin = ClusterUri();
    if (admin.empty()) return;
    static std::atomic<int> counter{0};
    name_ = "vanto_test_" + std::to_string(getpid()) + "_" + std::to_string(counter++);
    PgConnection(admin).Run(("CREATE DATABASE " + name_).c_str());
    location_ = admin;
    location_.replace(location_.find("/postgres?"), 10, "/" + name_ + "?");
  }
  ~TestDatabase() {
    if (name_.empty()) return;
    try {
      PgConnection(ClusterUri()).Run(("DROP DATABASE " + name_ + " WITH (FORCE)").c_str());
    } catch (const DatabaseError&) {
    }
  }
  TestDatabase(const TestDatabase&) = delete;
  TestDatabase& operator=(const TestDatabase&) = delete;

  // Empty when the database kind is not available; see SkipReason().
  const std::string& Location() const { return location_; }
  std::string SkipReason() const { return skip_; }
  const vanto::testing::TempFolder& Folder() const { return folder_; }

 private:
  std::string ClusterUri() {
    std::ifstream in(VANTO_TEST_POSTGRES);
    std::string line;
    while (std::getline(in, line)) {
      if (line.starts_with("uri=")) return line.substr(4);
      if (line.starts_with("skip: ")) skip_ = line.substr(6);
    }
    if (skip_.empty())
      skip_ =
          "no PostgreSQL test cluster: run the tests through ctest, which starts one "
          "(or postgres_cluster.sh start " VANTO_TEST_POSTGRES ")";
    return "";
  }

  vanto::testing::TempFolder folder_;
  std::string location_;
  std::string name_;
  std::string skip_;
};

}  // namespace vanto::service::test
