// Conversions between the host's narrow code page (936, GBK), UTF-8 and UTF-16.
//
// The host keeps its narrow strings in code page 936 on every operating system;
// course texts and documents are UTF-8. Every conversion goes through here.
// Bytes that are not valid in the source encoding become '?' (one per bad
// byte), the way the original platform substitutes its default character.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vanto::platform {

std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);
std::u16string GbkToUtf16(std::string_view gbk);
std::string Utf16ToGbk(std::u16string_view utf16);
std::string Utf16ToUtf8(std::u16string_view utf16);
std::u16string Utf8ToUtf16(std::string_view utf8);

// Bounded conversions: the result must fit in `max_units` code units
// (bytes for UTF-8), otherwise nothing is returned, as a fixed-size buffer
// conversion on the original platform fails when it is too small.
std::optional<std::u16string> GbkToUtf16Bounded(std::string_view gbk, std::size_t max_units);
std::optional<std::string> Utf16ToUtf8Bounded(std::u16string_view utf16, std::size_t max_bytes);

}  // namespace vanto::platform
