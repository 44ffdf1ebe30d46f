#include "service/http/script_reply.h"

namespace vanto::service {

ScriptReply ErrorReply(int status, const std::string& reason) {
  std::string safe;
  for (char c : reason) safe.push_back(c == '<' || c == '>' || c == '&' ? ' ' : c);
  return {status, "<html><body><p>" + safe + "</p></body></html>\n", "text/html; charset=utf-8"};
}

}  // namespace vanto::service
