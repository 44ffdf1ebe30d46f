// A thin RAII layer over libpq: one connection, queries with text parameters.
#pragma once

#include <libpq-fe.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "service/accounts/account_database.h"

namespace vanto::service {

class PgResult {
 public:
  explicit PgResult(PGresult* result) : result_(result, PQclear) {}
  int Rows() const { return PQntuples(result_.get()); }
  std::string Text(int row, int column) const;
  int64_t Int(int row, int column) const;
  PGresult* Raw() const { return result_.get(); }

 private:
  std::unique_ptr<PGresult, void (*)(PGresult*)> result_;
};

class PgConnection {
 public:
  // Connects to a "postgresql://" URI; throws DatabaseError when it cannot.
  explicit PgConnection(const std::string& uri);
  ~PgConnection();
  PgConnection(const PgConnection&) = delete;
  PgConnection& operator=(const PgConnection&) = delete;

  // Runs one statement with parameters sent as text ($1, $2, ...), or a
  // script of statements without parameters.
  PgResult Run(const char* sql, const std::vector<std::string>& parameters = {});
  // True when the connection is open and outside any transaction, so it can
  // be used again.
  bool Reusable() const;

 private:
  PGconn* db_ = nullptr;
};

}  // namespace vanto::service
