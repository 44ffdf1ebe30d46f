#include "documents/word_fields.h"

#include <cstring>

namespace vanto::documents {

std::string_view LineOf(const WordRecord& record) {
  return std::string_view(record.line, ::strnlen(record.line, sizeof record.line));
}

std::string_view WordField(const WordRecord& record, int n) {
  std::string_view rest = LineOf(record);
  int seen = 0;
  for (std::size_t tab = rest.find('\t'); tab != std::string_view::npos; tab = rest.find('\t')) {
    std::string_view stretch = rest.substr(0, tab);
    rest.remove_prefix(tab + 1);
    if (stretch.empty()) continue;
    if (seen++ == n) return stretch;
  }
  return {};
}

std::array<std::string_view, 4> CardPositions(const WordRecord& record) {
  std::array<std::string_view, 4> positions{};
  std::string_view rest = LineOf(record);
  for (std::string_view& position : positions) {
    std::size_t tab = rest.find('\t');
    if (tab == std::string_view::npos) break;
    position = rest.substr(0, tab);
    rest.remove_prefix(tab + 1);
  }
  return positions;
}

std::optional<std::string_view> DistractorText(const WordRecord& record) {
  std::string_view line = LineOf(record);
  std::size_t tab = line.find('\t');
  if (tab == std::string_view::npos) return std::nullopt;
  return line.substr(0, tab);
}

}  // namespace vanto::documents
