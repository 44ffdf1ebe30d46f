// Query strings as the course host sends them: "key=value" pairs joined by
// '&', values percent-encoded. '+' is kept as it is: the host never encodes a
// space, and '+' may be part of a value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vanto::service {

class QueryString {
 public:
  // Parses a raw query (without the leading '?'). Fails on a malformed
  // percent escape, a decoded NUL byte, an empty key or a repeated key.
  static std::optional<QueryString> Parse(std::string_view raw);

  bool Has(std::string_view key) const;
  // The decoded value, or nullopt when the key is absent.
  std::optional<std::string> Get(std::string_view key) const;
  // The value as a strict decimal 32-bit integer (optional '-' sign, digits
  // only); nullopt when absent or malformed.
  std::optional<int32_t> GetInt(std::string_view key) const;
  // True when every key is one of `allowed`.
  bool OnlyKeys(std::initializer_list<std::string_view> allowed) const;
  const std::vector<std::pair<std::string, std::string>>& Pairs() const { return pairs_; }

 private:
  std::vector<std::pair<std::string, std::string>> pairs_;
};

// Percent-decodes text; nullopt on a malformed escape or a NUL byte.
std::optional<std::string> PercentDecode(std::string_view text);

// A strict decimal 32-bit integer.
std::optional<int32_t> ParseInt32(std::string_view text);

}  // namespace vanto::service
