// Whole files read and written by tests.
#pragma once

#include <filesystem>
#include <string>

namespace vanto::testing {

// The whole file; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& file);
// Replaces the file with `bytes`, creating its parent folders.
void WriteFile(const std::filesystem::path& file, const std::string& bytes);

}  // namespace vanto::testing
