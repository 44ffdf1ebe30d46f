#include "service/http/notice_pages.h"

#include <string>

#include "service/http/query_string.h"

namespace vanto::service {
namespace {

ScriptReply Page(const std::string& message) {
  std::string body =
      "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Vanto</title>\n"
      "<style>body{font-family:sans-serif;margin:12px;background:#fafafa}"
      "a{color:#2d929d}</style></head>\n<body>\n<p>" +
      message +
      "</p>\n<p>明天见！</p>\n<p><a href=\"/popup.htm#close\">关闭</a></p>\n</body></html>\n";
  return {200, body, "text/html; charset=utf-8"};
}

}  // namespace

ScriptReply NoticePage(std::string_view raw_query) {
  auto query = QueryString::Parse(raw_query);
  auto day = query ? query->GetInt("day") : std::nullopt;
  if (!day || *day < 0) return FallbackNoticePage();
  return Page("今天是你学习的第 " + std::to_string(static_cast<long long>(*day) + 1) + " 天。");
}

ScriptReply FallbackNoticePage() {
  return Page("今天的学习结束了。");
}

}  // namespace vanto::service
