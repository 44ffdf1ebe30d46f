#include "delivery/manifest_file.h"

#include <cerrno>

#include "platform/file_system.h"

namespace vanto::delivery {

std::optional<std::vector<std::string>> SplitManifestText(std::string_view text,
                                                          ManifestRules rules) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    start = end + 1;
    if (line.empty()) continue;
    if (rules == ManifestRules::kContent && line.find('<') != std::string_view::npos) return {};
    lines.emplace_back(line);
  }
  if (rules == ManifestRules::kContent && lines.empty()) return {};
  return lines;
}

std::optional<std::string> ReadManifestText(const std::string& host_path,
                                            platform::MessageBoxes& messages) {
  errno = 0;
  std::optional<std::string> text = platform::ReadWholeFile(host_path);
  if (!text) messages.ShowFileError(host_path, errno != 0 ? errno : EIO);
  return text;
}

std::optional<std::vector<std::string>> ReadManifestLines(const std::string& host_path,
                                                          ManifestRules rules,
                                                          platform::MessageBoxes& messages) {
  std::optional<std::string> text = ReadManifestText(host_path, messages);
  if (!text) return {};
  return SplitManifestText(*text, rules);
}

}  // namespace vanto::delivery
