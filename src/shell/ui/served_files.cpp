#include "shell/ui/served_files.h"

#include <sys/stat.h>

#include <array>
#include <climits>
#include <cstdlib>
#include <utility>

namespace {

bool SegmentAllowed(std::string_view segment) {
  return !segment.empty() && segment.front() != '.' && segment.find('\\') == std::string_view::npos;
}

bool RelativePathAllowed(std::string_view relative) {
  if (relative.empty() || relative.front() == '/') return false;
  if (relative.find('\0') != std::string_view::npos) return false;
  std::size_t start = 0;
  while (start <= relative.size()) {
    std::size_t end = relative.find('/', start);
    if (end == std::string_view::npos) end = relative.size();
    if (!SegmentAllowed(relative.substr(start, end - start))) return false;
    start = end + 1;
  }
  return true;
}

std::optional<std::string> RealPath(const std::string& path) {
  char resolved[PATH_MAX];
  if (!::realpath(path.c_str(), resolved)) return std::nullopt;
  return std::string(resolved);
}

}  // namespace

std::optional<std::string> ResolveServedFile(const std::string& root, std::string_view relative) {
  if (!RelativePathAllowed(relative)) return std::nullopt;
  std::optional<std::string> real_root = RealPath(root);
  std::optional<std::string> real_file = RealPath(root + "/" + std::string(relative));
  if (!real_root || !real_file) return std::nullopt;
  // Symbolic links are followed; the file they reach must still be inside.
  if (real_file->compare(0, real_root->size() + 1, *real_root + "/") != 0) return std::nullopt;
  struct stat info {};
  if (::stat(real_file->c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return real_file;
}

const char* ContentTypeOf(std::string_view file_name) {
  static constexpr std::array<std::pair<std::string_view, const char*>, 16> kTypes{{
      {".html", "text/html; charset=utf-8"},
      {".js", "text/javascript; charset=utf-8"},
      {".wasm", "application/wasm"},
      {".swf", "application/x-shockwave-flash"},
      {".xml", "text/xml"},
      {".txt", "text/plain"},
      {".json", "application/json"},
      {".map", "application/json"},
      {".mp3", "audio/mpeg"},
      {".jpg", "image/jpeg"},
      {".png", "image/png"},
      {".gif", "image/gif"},
      {".ttf", "font/ttf"},
      {".ttc", "font/collection"},
      {".otf", "font/otf"},
      {".css", "text/css"},
  }};
  std::size_t dot = file_name.rfind('.');
  if (dot != std::string_view::npos) {
    std::string extension;
    for (char c : file_name.substr(dot)) extension += static_cast<char>(std::tolower(c));
    for (const auto& [suffix, type] : kTypes) {
      if (extension == suffix) return type;
    }
  }
  return "application/octet-stream";
}
