// Content manifests from the network: line splitting, entry and command
// fields, and the path check that keeps every file inside the program folder.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "delivery/entry_path.h"
#include "delivery/manifest_file.h"
#include "delivery/manifest_line.h"

namespace {

using namespace vanto::delivery;

// An accepted path must not climb out of the folder, whatever it holds.
void CheckSafePath(std::string_view path) {
  if (!IsSafeRelativePath(path)) return;
  if (path.empty() || path[0] == '/' || path[0] == '\\') std::abort();
  if (path.find('\0') != std::string_view::npos) std::abort();
  if (path == ".." || path.substr(0, 3) == "../" || path.substr(0, 3) == "..\\") std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto lines = SplitManifestText(text, ManifestRules::kContent);
  if (!lines) return 0;
  for (const std::string& line : *lines) {
    if (line.empty() || line.find('<') != std::string::npos) std::abort();
    if (IsCommandLine(line)) {
      const ManifestCommand command = ParseCommandLine(line);
      if (command.word.size() > 6) std::abort();
      if (command.file) CheckSafePath(*command.file);
      continue;
    }
    const ManifestEntry entry = ParseEntryLine(line);
    if (entry.path.find('\t') != std::string_view::npos) std::abort();
    CheckSafePath(entry.path);
    const std::string local = LocalPathOf("\\v\\", entry.path);
    if (ExecutablePathOf(local, 3).compare(0, 3, "\\v\\") != 0) std::abort();
  }
  return 0;
}
