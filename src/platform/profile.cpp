#include "platform/profile.h"

#include "platform/file_system.h"

namespace vanto::platform {

std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view fallback, std::string_view path,
                              std::size_t max_chars) {
  std::optional<std::string> text = ReadWholeFile(path);
  std::string value;
  if (!text || !FindProfileValue(*text, section, key, &value)) value.assign(fallback);
  if (max_chars == 0) return {};
  if (value.size() > max_chars - 1) value.resize(max_chars - 1);
  return value;
}

int ReadProfileInt(std::string_view section, std::string_view key, int fallback,
                   std::string_view path) {
  std::optional<std::string> text = ReadWholeFile(path);
  std::string value;
  if (!text || !FindProfileValue(*text, section, key, &value) || value.empty()) return fallback;
  return ParseProfileInt(value);
}

bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        std::string_view path) {
  std::optional<std::string> old = ReadWholeFile(path);
  // An existing file that cannot be read is left alone rather than replaced
  // by a file holding only this key.
  if (!old && PathExists(path)) return false;
  std::string text = old.value_or(std::string());
  // Profile files hold the learner's data and the parent's password: only
  // their owner may read them, also when an older one was readable by all.
  constexpr unsigned kOwnerOnly = 0600;
  return WriteFileAtomically(path, SetProfileValue(text, section, key, value), kOwnerOnly);
}

}  // namespace vanto::platform
