#include "service/accounts/account_sql.h"

#include <charconv>

namespace vanto::service::account_sql {

const char* const kSchema = R"(
CREATE TABLE IF NOT EXISTS learners(
  uid INTEGER PRIMARY KEY, ppt INTEGER NOT NULL, qudao TEXT NOT NULL DEFAULT '',
  reg_date INTEGER NOT NULL, day INTEGER NOT NULL DEFAULT 0, today INTEGER NOT NULL DEFAULT 0,
  dtime INTEGER NOT NULL DEFAULT 0, chapter INTEGER NOT NULL DEFAULT 0,
  ch_day INTEGER NOT NULL DEFAULT 0, review INTEGER NOT NULL DEFAULT 0,
  group_size INTEGER NOT NULL DEFAULT 6, gushi INTEGER NOT NULL DEFAULT 5,
  chap_days TEXT NOT NULL DEFAULT '0,0,0,0,0,0,',
  mofa TEXT NOT NULL DEFAULT '0,0,0,0,0,0,0,0,0,0,',
  parent_grant_until BIGINT NOT NULL DEFAULT 0, revision BIGINT NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS parents(
  name TEXT PRIMARY KEY, pw_hash TEXT NOT NULL, uid INTEGER NOT NULL REFERENCES learners(uid));
)";

const char* const kSelectLearner =
    "SELECT ppt, qudao, reg_date, day, today, dtime, chapter, ch_day, review, group_size, gushi, "
    "chap_days, mofa, parent_grant_until, revision FROM learners WHERE uid = $1";

const char* const kInsertLearner =
    "INSERT INTO learners(uid, ppt, qudao, reg_date, day, today, dtime, chapter, ch_day, review, "
    "group_size, gushi, chap_days, mofa, parent_grant_until, revision) "
    "VALUES($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12, $13, $14, $15, $16) "
    "ON CONFLICT(uid) DO NOTHING";

const char* const kSaveLearner =
    "UPDATE learners SET day = $2, today = $3, chapter = $4, ch_day = $5, review = $6, "
    "chap_days = $7, mofa = $8, parent_grant_until = $9, revision = revision + 1 WHERE uid = $1";

const char* const kSelectParent = "SELECT pw_hash, uid FROM parents WHERE name = $1";

const char* const kSaveParent =
    "INSERT INTO parents(name, pw_hash, uid) VALUES($1, $2, $3) "
    "ON CONFLICT(name) DO UPDATE SET pw_hash = excluded.pw_hash, uid = excluded.uid";

const char* const kSelectUids = "SELECT uid FROM learners ORDER BY uid";

const char* const kSelectParents = "SELECT name, pw_hash, uid FROM parents ORDER BY name";

std::string ForSqlite(const char* sql) {
  std::string text = sql;
  for (char& c : text) {
    if (c == '$') c = '?';
  }
  return text;
}

std::vector<std::string> InsertValues(const LearnerRow& row) {
  const LearnerState& s = row.state;
  using std::to_string;
  return {to_string(s.uid),
          to_string(row.ppt),
          row.qudao,
          to_string(row.reg_date),
          to_string(s.day),
          to_string(s.today),
          to_string(s.dtime),
          to_string(s.chapter),
          to_string(s.ch_day),
          to_string(s.review),
          to_string(s.group),
          to_string(s.gushi),
          FormatNumberList(s.chap_days),
          FormatNumberList(s.mofa),
          to_string(row.grant_until),
          to_string(row.revision)};
}

std::vector<std::string> SaveValues(const LearnerRow& row) {
  const LearnerState& s = row.state;
  using std::to_string;
  return {to_string(s.uid),
          to_string(s.day),
          to_string(s.today),
          to_string(s.chapter),
          to_string(s.ch_day),
          to_string(s.review),
          FormatNumberList(s.chap_days),
          FormatNumberList(s.mofa),
          to_string(row.grant_until)};
}

LearnerRow DecodeLearner(int uid, const std::function<std::string(int)>& column) {
  auto number = [&](int i) {
    const std::string text = column(i);
    int64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
  };
  auto small = [&](int i) { return static_cast<int>(number(i)); };
  LearnerRow row;
  row.ppt = small(0);
  row.qudao = column(1);
  row.reg_date = small(2);
  LearnerState& s = row.state;
  s.uid = uid;
  s.day = small(3);
  s.today = small(4);
  s.dtime = small(5);
  s.chapter = small(6);
  s.ch_day = small(7);
  s.review = small(8);
  s.group = small(9);
  s.gushi = small(10);
  s.chap_days = ParseNumberList<6>(column(11)).value_or(std::array<int, 6>{});
  s.mofa = ParseNumberList<10>(column(12)).value_or(std::array<int, 10>{});
  row.grant_until = number(13);
  row.revision = number(14);
  return row;
}

}  // namespace vanto::service::account_sql
