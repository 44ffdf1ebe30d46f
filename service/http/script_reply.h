// A reply of one of the service's scripts.
#pragma once

#include <string>

namespace vanto::service {

struct ScriptReply {
  int status = 200;
  std::string body;
  std::string content_type = "text/plain";
};

// The reply to a request a script cannot answer: an HTML page, so that it
// holds '<' and the course host rejects it as a manifest or account reply.
ScriptReply ErrorReply(int status, const std::string& reason);

}  // namespace vanto::service
