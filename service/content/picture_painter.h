// Draws a puzzle picture: one character, large, centred on a light
// background, written as a JPEG.
#pragma once

#include <filesystem>
#include <string>

namespace vanto::service {

// `font` is a fontconfig pattern such as "Noto Sans CJK SC:bold" or a font
// file path. Writes `target` atomically; false on failure.
bool PaintCharacter(const std::string& utf8_text, const std::string& font,
                    const std::filesystem::path& target);

}  // namespace vanto::service
