// The files the player page may load: its own files and the font under
// "/player/", the course's files (the program folder) under "/course/".
// Anything else is not served.
#pragma once

#include <optional>
#include <string>
#include <string_view>

typedef struct _WebKitURISchemeRequest WebKitURISchemeRequest;

class PlayerFileServer {
 public:
  // `player_folder` holds the page and Ruffle's files, `font_file` the CJK
  // font the page hands to Ruffle; course files come from the current folder.
  PlayerFileServer(std::string player_folder, std::string font_file);

  // Answers `request` for the decoded `path`.
  void Serve(WebKitURISchemeRequest* request, const std::string& path) const;

 private:
  std::optional<std::string> Resolve(std::string_view path) const;

  std::string player_folder_;
  std::string font_file_;
};
