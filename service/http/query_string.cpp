#include "service/http/query_string.h"

#include <algorithm>
#include <charconv>

namespace vanto::service {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::string> PercentDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '%') {
      if (i + 2 >= text.size()) return std::nullopt;
      int hi = HexValue(text[i + 1]);
      int lo = HexValue(text[i + 2]);
      if (hi < 0 || lo < 0) return std::nullopt;
      c = static_cast<char>(hi * 16 + lo);
      i += 2;
    }
    if (c == '\0') return std::nullopt;
    out.push_back(c);
  }
  return out;
}

std::optional<int32_t> ParseInt32(std::string_view text) {
  if (text.empty()) return std::nullopt;
  size_t start = text[0] == '-' ? 1 : 0;
  if (start == text.size()) return std::nullopt;
  if (!std::all_of(text.begin() + start, text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  int32_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<QueryString> QueryString::Parse(std::string_view raw) {
  QueryString query;
  while (!raw.empty()) {
    size_t amp = raw.find('&');
    std::string_view pair = raw.substr(0, amp);
    raw = amp == std::string_view::npos ? std::string_view() : raw.substr(amp + 1);
    if (pair.empty()) continue;
    size_t eq = pair.find('=');
    auto key = PercentDecode(pair.substr(0, eq));
    auto value =
        PercentDecode(eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1));
    if (!key || !value || key->empty() || query.Has(*key)) return std::nullopt;
    query.pairs_.emplace_back(std::move(*key), std::move(*value));
  }
  return query;
}

bool QueryString::Has(std::string_view key) const {
  return std::any_of(pairs_.begin(), pairs_.end(), [&](const auto& p) { return p.first == key; });
}

std::optional<std::string> QueryString::Get(std::string_view key) const {
  for (const auto& [k, v] : pairs_)
    if (k == key) return v;
  return std::nullopt;
}

std::optional<int32_t> QueryString::GetInt(std::string_view key) const {
  auto value = Get(key);
  return value ? ParseInt32(*value) : std::nullopt;
}

bool QueryString::OnlyKeys(std::initializer_list<std::string_view> allowed) const {
  return std::all_of(pairs_.begin(), pairs_.end(), [&](const auto& p) {
    return std::find(allowed.begin(), allowed.end(), p.first) != allowed.end();
  });
}

}  // namespace vanto::service
