// The account tables and statements, written once for both databases:
// parameters are PostgreSQL's $1, $2, ...; SQLite takes them as ?1, ?2, ...
// (ForSqlite). Values travel as text both ways; each database converts them
// to the column's type.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "service/accounts/account_database.h"

namespace vanto::service::account_sql {

extern const char* const kSchema;
extern const char* const kSelectLearner;  // $1 uid
extern const char* const kInsertLearner;  // InsertValues(); nothing when the uid exists
extern const char* const kSaveLearner;    // SaveValues(); revision + 1
extern const char* const kSelectParent;   // $1 name -> pw_hash, uid
extern const char* const kSaveParent;     // $1 name, $2 pw_hash, $3 uid
extern const char* const kSelectUids;
extern const char* const kSelectParents;  // name, pw_hash, uid

// The statement with "$n" turned into "?n".
std::string ForSqlite(const char* sql);

std::vector<std::string> InsertValues(const LearnerRow& row);
std::vector<std::string> SaveValues(const LearnerRow& row);
// A row of kSelectLearner, read through `column` (the text of column i).
LearnerRow DecodeLearner(int uid, const std::function<std::string(int)>& column);

}  // namespace vanto::service::account_sql
