// Conversion of UTF-8 text to code page 936 (GBK), the manifest's encoding.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vanto::service {

// nullopt when the text is not valid UTF-8 or holds a character GBK lacks.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

}  // namespace vanto::service
