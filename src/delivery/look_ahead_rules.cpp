#include "delivery/look_ahead_rules.h"

#include "delivery/entry_path.h"
#include "delivery/path_limit.h"

namespace vanto::delivery {
namespace {

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// `key` starts with `folder` followed by a separator.
bool LiesIn(std::string_view key, std::string_view folder) {
  return key.size() > folder.size() && key.substr(0, folder.size()) == folder &&
         key[folder.size()] == '\\';
}

}  // namespace

bool EntryPathUsable(std::string_view path, const std::string& local_path) {
  return IsSafeRelativePath(path) && FitsPathBuffer(local_path);
}

bool StopsLookAhead(const ManifestEntry& entry) {
  return HasExecutableFlag(entry.flags) || HasQuitFlag(entry.flags);
}

std::string PathKey(std::string_view local_path) {
  std::string key;
  std::string component;
  const auto close_component = [&] {
    if (!component.empty() && component != ".") key += (key.empty() ? "" : "\\") + component;
    component.clear();
  };
  for (std::size_t i = 0; i < local_path.size(); ++i) {
    const char c = local_path[i];
    if (HasDoubleByteLead(local_path.substr(i, 1)) && i + 1 < local_path.size()) {
      component += local_path.substr(i, 2);  // a trail byte is never a separator
      ++i;
    } else if (c == '\\' || c == '/') {
      close_component();
    } else {
      component += AsciiLower(c);
    }
  }
  close_component();
  return key;
}

bool PathsOverlap(std::string_view key, std::string_view other) {
  return key == other || LiesIn(key, other) || LiesIn(other, key);
}

}  // namespace vanto::delivery
