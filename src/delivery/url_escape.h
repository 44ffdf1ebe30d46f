// Escaping of URLs whose path holds non-ASCII characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vanto::delivery {

// Every byte 0x80 or above becomes '%' and two upper-case hexadecimal digits;
// every other byte, including ' ', '%', '?', '&' and '#', is kept.
std::string EscapeHighBytes(std::string_view text);

// The first `length` bytes of a code page 936 URL as percent-escaped UTF-8.
// The conversion works in buffers of 260 units: a URL whose UTF-16 form needs
// more than 260 units, or whose UTF-8 form needs 260 bytes or more (no room
// for the terminator), is refused and the result is empty.
std::string Utf8EscapedUrl(std::string_view url, std::size_t length);

}  // namespace vanto::delivery
