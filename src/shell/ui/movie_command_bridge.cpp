#include "shell/ui/movie_command_bridge.h"

#include <webkit2/webkit2.h>

#include <utility>

#include "platform/codepage.h"
#include "shell/ui/scheme_replies.h"
#include "shell/ui/ui_trace.h"

namespace {

// "cmd=<escaped>&args=<escaped>" as the page sends it.
std::pair<std::string, std::string> ParseCommandBody(const std::string& body) {
  std::string command, args;
  std::size_t start = 0;
  while (start < body.size()) {
    std::size_t end = body.find('&', start);
    if (end == std::string::npos) end = body.size();
    std::string pair = body.substr(start, end - start);
    std::size_t equals = pair.find('=');
    std::string key = pair.substr(0, equals);
    std::string value = equals == std::string::npos ? "" : Unescape(pair.c_str() + equals + 1);
    if (key == "cmd") command = value;
    if (key == "args") args = value;
    start = end + 1;
  }
  return {command, args};
}

}  // namespace

MovieCommandBridge::MovieCommandBridge(vanto::delivery::UiDispatcher& ui,
                                       MovieOperations& operations, Handler handler)
    : ui_(ui), operations_(operations), handler_(std::move(handler)) {}

MovieCommandBridge::~MovieCommandBridge() {
  *alive_ = false;
}

void MovieCommandBridge::Handle(WebKitURISchemeRequest* request) {
  auto [command, args] = ParseCommandBody(RequestBody(request));
  UiTrace({"FSCommand", command, args});
  g_object_ref(request);
  ui_.Post([this, alive = alive_, request, command, args] {
    if (*alive) {
      operations_.EnterCommand();
      if (handler_) handler_(vanto::platform::Utf8ToGbk(command), vanto::platform::Utf8ToGbk(args));
      operations_.LeaveCommand();
    }
    std::string reply = "[";
    if (*alive && !operations_.InCommand()) reply += operations_.TakeJoined();
    reply += "]";
    FinishWithText(request, reply, "application/json");
    g_object_unref(request);
  });
}
