#include "service/accounts/postgres_db.h"

#include <charconv>
#include <vector>

namespace vanto::service {
namespace {

void IgnoreNotice(void*, const char*) {}  // "relation already exists, skipping" and the like

}  // namespace

std::string PgResult::Text(int row, int column) const {
  return PQgetvalue(result_.get(), row, column);
}

int64_t PgResult::Int(int row, int column) const {
  const char* text = PQgetvalue(result_.get(), row, column);
  int64_t value = 0;
  std::from_chars(text, text + PQgetlength(result_.get(), row, column), value);
  return value;
}

PgConnection::PgConnection(const std::string& uri) : db_(PQconnectdb(uri.c_str())) {
  if (PQstatus(db_) != CONNECTION_OK) {
    std::string message = db_ ? PQerrorMessage(db_) : "out of memory";
    PQfinish(db_);
    throw DatabaseError("PostgreSQL: " + message);
  }
  PQsetNoticeProcessor(db_, IgnoreNotice, nullptr);
}

PgConnection::~PgConnection() {
  PQfinish(db_);
}

PgResult PgConnection::Run(const char* sql, const std::vector<std::string>& parameters) {
  std::vector<const char*> values;
  for (const std::string& value : parameters) values.push_back(value.c_str());
  PgResult result(values.empty() ? PQexec(db_, sql)
                                 : PQexecParams(db_, sql, static_cast<int>(values.size()), nullptr,
                                                values.data(), nullptr, nullptr, 0));
  ExecStatusType status = PQresultStatus(result.Raw());
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
    throw DatabaseError(std::string("PostgreSQL: ") + PQerrorMessage(db_));
  return result;
}

bool PgConnection::Reusable() const {
  return PQstatus(db_) == CONNECTION_OK && PQtransactionStatus(db_) == PQTRANS_IDLE;
}

}  // namespace vanto::service
