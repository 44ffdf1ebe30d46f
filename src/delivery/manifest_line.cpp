#include "delivery/manifest_line.h"

#include <strings.h>

namespace vanto::delivery {

ManifestEntry ParseEntryLine(const std::string& line) {
  ManifestEntry entry;
  const std::size_t first_tab = line.find('\t');
  entry.path = std::string_view(line).substr(0, first_tab);
  if (first_tab == std::string::npos) return entry;
  entry.stamp = line.c_str() + first_tab + 1;
  const std::size_t second_tab = line.find('\t', first_tab + 1);
  if (second_tab != std::string::npos) entry.flags = std::string_view(line).substr(second_tab + 1);
  return entry;
}

bool HasExecutableFlag(std::string_view flags) {
  return flags.size() >= 3 && ::strncasecmp(flags.data(), "exe", 3) == 0;
}

bool HasQuitFlag(std::string_view flags) {
  return flags.find("quit") != std::string_view::npos;
}

bool HasRunFlag(std::string_view flags) {
  return flags.find("run") != std::string_view::npos;
}

ManifestCommand ParseCommandLine(std::string_view line) {
  ManifestCommand command;
  for (char c : line.substr(1, 6)) {
    command.word.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
  }
  if (line.size() <= 8) return command;
  const std::size_t separator = line.find_first_of("\t ", 8);
  if (separator == std::string_view::npos || separator + 1 == line.size()) return command;
  command.file = std::string(line.substr(separator + 1));
  return command;
}

bool HasDoubleByteLead(std::string_view text) {
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x81 && byte <= 0xFE) return true;
  }
  return false;
}

}  // namespace vanto::delivery
