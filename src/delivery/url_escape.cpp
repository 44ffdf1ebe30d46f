#include "delivery/url_escape.h"

#include <algorithm>

#include "delivery/path_limit.h"
#include "platform/codepage.h"

namespace vanto::delivery {

std::string EscapeHighBytes(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      escaped += c;
      continue;
    }
    escaped += '%';
    escaped += kHex[byte >> 4];
    escaped += kHex[byte & 0xF];
  }
  return escaped;
}

std::string Utf8EscapedUrl(std::string_view url, std::size_t length) {
  const std::string_view part = url.substr(0, std::min(length, url.size()));
  const auto utf16 = platform::GbkToUtf16Bounded(part, kMaxPathBuffer);
  if (!utf16) return {};
  // The UTF-8 buffer also holds the terminator.
  const auto utf8 = platform::Utf16ToUtf8Bounded(*utf16, kMaxPathBuffer - 1);
  if (!utf8) return {};
  return EscapeHighBytes(*utf8);
}

}  // namespace vanto::delivery
