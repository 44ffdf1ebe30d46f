// Profile (INI) files read and written key by key.
//
// Rules (the same as the original platform's private profile files):
// - section and key names match without regard to letter case;
// - the first section of a name and the first key of a name in it count;
// - a missing file, section or key gives the caller's default;
// - writing a key replaces its value in place, or adds the key at the end of
//   its section, or adds the section at the end of the file; every other byte
//   of the file is kept;
// - every write replaces the whole file atomically (temporary file in the
//   same folder, flush, rename), so a crash leaves the old or the new file.
// Paths are host paths (see native_path.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vanto::platform {

// Value of section/key with surrounding blanks removed (and one pair of
// enclosing quotes), cut to at most `max_chars` - 1 bytes, as a reader with a
// buffer of `max_chars` would see it. Absent: `fallback`.
std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view fallback, std::string_view path,
                              std::size_t max_chars = 4096);

// Integer value of section/key. Absent key or empty value: `fallback`.
// Otherwise: leading blanks skipped, one optional '+' or '-', then decimal
// digits up to the first non-digit; no digits reads 0; values beyond the
// 32-bit range saturate at INT_MIN / INT_MAX.
int ReadProfileInt(std::string_view section, std::string_view key, int fallback,
                   std::string_view path);

// Parses one value text by the integer rule above (exposed for tests/fuzzing).
int ParseProfileInt(std::string_view value);

// Writes section/key = value. Returns false when the file cannot be written.
// The file is created, and kept, readable and writable by its owner only.
bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        std::string_view path);

// Applies the write rule to the text of a profile file (exposed for tests/fuzzing).
std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value);

// Looks a value up in the text of a profile file; false when absent.
bool FindProfileValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string* value);

}  // namespace vanto::platform
