#include "service/accounts/account_script.h"

#include "service/http/query_string.h"

namespace vanto::service {
namespace {

constexpr size_t kMaxName = 63;
constexpr size_t kMaxPassword = 31;
constexpr size_t kMaxQudao = 31;
constexpr const char* kRefusedParentReply = "[user]\r\nuid=0\r\n[mofa]\r\n";

ScriptReply Reply(const AccountResult& result, std::optional<int> chapter_result = std::nullopt) {
  switch (result.outcome) {
    case AccountOutcome::kOk:
      return {200, FormatAccountReply(result.state, chapter_result)};
    case AccountOutcome::kUnknown:
      return ErrorReply(404, "unknown account");
    case AccountOutcome::kDenied:
      break;
  }
  return ErrorReply(403, "access denied");
}

}  // namespace

ScriptReply AccountScript::Answer(std::string_view raw_query) {
  auto query = QueryString::Parse(raw_query);
  if (!query) return ErrorReply(400, "malformed query");
  if (query->Has("name") || query->Has("psw")) return ParentLogin(*query);
  if (query->Has("uid")) return LearnerRequest(*query);
  return ErrorReply(400, "unknown query");
}

ScriptReply AccountScript::ParentLogin(const QueryString& query) {
  auto name = query.Get("name");
  auto password = query.Get("psw");
  auto qudao = query.Get("qudao").value_or("");
  if (!query.OnlyKeys({"name", "psw", "qudao", "rand"}) || !name || !password || name->empty() ||
      password->empty() || name->size() > kMaxName || password->size() > kMaxPassword ||
      qudao.size() > kMaxQudao)
    return ErrorReply(400, "bad parent login");
  AccountResult result = store_.ParentLogin(*name, *password);
  // A refused parent gets a reply without a user id and without any learner
  // state: the host then tells the parent the login failed and keeps the
  // learner's progress as it is.
  if (result.outcome == AccountOutcome::kDenied) return {200, kRefusedParentReply};
  return Reply(result);
}

ScriptReply AccountScript::LearnerRequest(const QueryString& query) {
  auto uid = query.GetInt("uid");
  auto ppt = query.GetInt("ppt");
  if (!uid || !ppt || *uid <= 0 || *ppt < 0) return ErrorReply(400, "bad user");
  if (query.Has("mofa")) {
    if (!query.OnlyKeys({"uid", "ppt", "mofa", "rand"})) return ErrorReply(400, "unknown key");
    auto counts = ParseNumberList<10>(query.Get("mofa").value_or(""));
    if (!counts) return ErrorReply(400, "bad card counts");
    return Reply(store_.ReportMofa(*uid, *ppt, *counts));
  }
  if (query.Has("study")) {
    if (!query.OnlyKeys({"uid", "ppt", "study", "rand"}) || query.Get("study") != "1")
      return ErrorReply(400, "bad study report");
    return Reply(store_.ReportStudy(*uid, *ppt));
  }
  if (query.Has("chapter")) {
    if (!query.OnlyKeys({"uid", "ppt", "chapter", "chdays", "ch_day", "rand"}))
      return ErrorReply(400, "unknown key");
    auto chapter = query.GetInt("chapter");
    auto days = ParseNumberList<6>(query.Get("chdays").value_or(""));
    auto ch_day = query.GetInt("ch_day");
    if (!chapter || *chapter < 0 || *chapter > 5 || !days || !ch_day || *ch_day < 0)
      return ErrorReply(400, "bad chapter change");
    return Reply(store_.ChangeChapter(*uid, *ppt, *chapter, *days, *ch_day), 1);
  }
  if (!query.OnlyKeys({"uid", "ppt", "qudao", "rand"}) || *ppt == 0 ||
      query.Get("qudao").value_or("").size() > kMaxQudao)
    return ErrorReply(400, "bad login");
  return Reply(store_.Login(*uid, *ppt, query.Get("qudao").value_or("")));
}

}  // namespace vanto::service
