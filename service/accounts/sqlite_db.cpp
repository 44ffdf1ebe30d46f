#include "service/accounts/sqlite_db.h"

namespace vanto::service {
namespace {

constexpr int kBusyTimeoutMs = 10000;

void Check(sqlite3* db, int code, const char* what) {
  if (code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE)
    throw SqliteError(std::string(what) + ": " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(code)));
}

}  // namespace

SqliteConnection::SqliteConnection(const std::string& path) {
  int code =
      sqlite3_open_v2(path.c_str(), &db_,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (code != SQLITE_OK) {
    std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
    sqlite3_close(db_);
    throw SqliteError("open " + path + ": " + message);
  }
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  Execute("PRAGMA journal_mode=WAL");
  Execute("PRAGMA synchronous=NORMAL");
  Execute("PRAGMA foreign_keys=ON");
}

SqliteConnection::~SqliteConnection() {
  sqlite3_close(db_);
}

void SqliteConnection::Execute(const std::string& sql) {
  char* message = nullptr;
  int code = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message);
  if (code != SQLITE_OK) {
    std::string text = message ? message : sqlite3_errstr(code);
    sqlite3_free(message);
    throw SqliteError(sql + ": " + text);
  }
}

SqliteStatement::SqliteStatement(SqliteConnection& connection, const char* sql)
    : db_(connection.Handle()) {
  Check(db_, sqlite3_prepare_v2(db_, sql, -1, &statement_, nullptr), "prepare");
}

SqliteStatement::~SqliteStatement() {
  sqlite3_finalize(statement_);
}

SqliteStatement& SqliteStatement::Bind(int index, int64_t value) {
  Check(db_, sqlite3_bind_int64(statement_, index, value), "bind");
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, const std::string& value) {
  Check(db_,
        sqlite3_bind_text(statement_, index, value.data(), static_cast<int>(value.size()),
                          SQLITE_TRANSIENT),
        "bind");
  return *this;
}

bool SqliteStatement::Step() {
  int code = sqlite3_step(statement_);
  Check(db_, code, "step");
  return code == SQLITE_ROW;
}

int64_t SqliteStatement::Int(int column) {
  return sqlite3_column_int64(statement_, column);
}

std::string SqliteStatement::Text(int column) {
  const unsigned char* text = sqlite3_column_text(statement_, column);
  return text ? reinterpret_cast<const char*>(text) : "";
}

}  // namespace vanto::service
