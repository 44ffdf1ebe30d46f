// The lines of the manifest "down.list".
//
// An entry line has up to three TAB-separated fields: the path (folders
// separated by '/'), the stamp (a timestamp, '|' and the MD5 digest text)
// and the flags ("exe" at the start marks an executable, "quit" anywhere ends
// the program after the entry; the updater reads "run" instead of "quit").
// A line beginning with '#' is a command line: the command word is the six
// characters after the '#'; the file it names follows a separator found from
// position 8 on (so "#update x Update" names "Update" while "#update Update"
// names nothing).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vanto::delivery {

struct ManifestEntry {
  std::string_view path;  // up to the first TAB
  // Everything after the first TAB, running on into the flags; nullptr when
  // the line has no TAB. Points into the line, NUL-terminated.
  const char* stamp = nullptr;
  std::string_view flags;  // after the second TAB; empty when there is none
};

inline bool IsCommandLine(std::string_view line) {
  return !line.empty() && line[0] == '#';
}

// `line` must outlive the result.
ManifestEntry ParseEntryLine(const std::string& line);

bool HasExecutableFlag(std::string_view flags);  // begins with "exe", any case
bool HasQuitFlag(std::string_view flags);        // holds "quit", lower case
bool HasRunFlag(std::string_view flags);         // holds "run", lower case

struct ManifestCommand {
  std::string word;                 // up to six characters after '#', lower-cased
  std::optional<std::string> file;  // the named file, when the line names one
};

ManifestCommand ParseCommandLine(std::string_view line);

// Whether any byte is the lead byte of a double-byte code page 936 character.
bool HasDoubleByteLead(std::string_view text);

}  // namespace vanto::delivery
