// Speaks Chinese text into an MP3 file with espeak-ng's Mandarin voice and
// lame, both run as child processes (no shell).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vanto::service {

// Writes `target` atomically (temporary file, then rename); false when a
// tool is missing or fails.
bool SpeakToMp3(const std::string& text, const std::filesystem::path& target);

// Runs a program with arguments and waits for it; true on exit status 0.
bool RunProgram(const std::vector<std::string>& argv);

}  // namespace vanto::service
