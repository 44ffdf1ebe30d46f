// A thin RAII layer over SQLite: one connection, prepared statements.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace vanto::service {

struct SqliteError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class SqliteConnection {
 public:
  // Opens (creating) the database in WAL mode with a busy timeout.
  explicit SqliteConnection(const std::string& path);
  ~SqliteConnection();
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  void Execute(const std::string& sql);
  sqlite3* Handle() { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

class SqliteStatement {
 public:
  SqliteStatement(SqliteConnection& connection, const char* sql);
  ~SqliteStatement();
  SqliteStatement(SqliteStatement&& other) noexcept
      : db_(other.db_), statement_(std::exchange(other.statement_, nullptr)) {}
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  SqliteStatement& Bind(int index, int64_t value);
  SqliteStatement& Bind(int index, const std::string& value);
  // True while a row is available; throws on an error.
  bool Step();
  int64_t Int(int column);
  std::string Text(int column);

 private:
  sqlite3* db_;
  sqlite3_stmt* statement_ = nullptr;
};

}  // namespace vanto::service
