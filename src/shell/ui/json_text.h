// JSON string literals for what the host sends to its web page. The result
// is also a valid JavaScript literal (U+2028 and U+2029 are escaped).
#pragma once

#include <string>
#include <string_view>

// `utf8` quoted as a JSON string.
std::string JsonString(std::string_view utf8);
