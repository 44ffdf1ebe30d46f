#include "shell/ui/player_file_server.h"

#include "platform/file_system.h"
#include "platform/native_path.h"
#include "shell/ui/scheme_replies.h"
#include "shell/ui/served_files.h"
#include "shell/ui/ui_trace.h"

namespace {

constexpr std::string_view kPlayerPrefix = "/player/";
constexpr std::string_view kCoursePrefix = "/course/";

}  // namespace

PlayerFileServer::PlayerFileServer(std::string player_folder, std::string font_file)
    : player_folder_(std::move(player_folder)), font_file_(std::move(font_file)) {}

std::optional<std::string> PlayerFileServer::Resolve(std::string_view path) const {
  if (path.substr(0, kPlayerPrefix.size()) == kPlayerPrefix) {
    std::string_view relative = path.substr(kPlayerPrefix.size());
    if (relative == "font.otf") return font_file_;
    return ResolveServedFile(player_folder_, relative);
  }
  if (path.substr(0, kCoursePrefix.size()) == kCoursePrefix) {
    std::string folder = vanto::platform::NativePath(vanto::platform::CurrentFolder());
    return ResolveServedFile(folder, path.substr(kCoursePrefix.size()));
  }
  return std::nullopt;
}

void PlayerFileServer::Serve(WebKitURISchemeRequest* request, const std::string& path) const {
  std::optional<std::string> file = Resolve(path);
  if (!file) {
    UiTrace({"NotServed", path});
    FinishNotFound(request);
    return;
  }
  UiTrace({"Served", path});
  FinishWithFile(request, *file);
}
