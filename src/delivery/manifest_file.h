// Reading "down.list" into its lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_box.h"

namespace vanto::delivery {

inline constexpr std::string_view kManifestFileName = "down.list";

enum class ManifestRules {
  // The host's content manifest: a line holding '<' makes the whole file
  // invalid (the reply was an error page), and so does a file without lines.
  kContent,
  // The updater's manifest: every non-empty line counts; no lines is valid.
  kUpdate,
};

// The file's bytes; nothing when it cannot be read (reported through `messages`).
std::optional<std::string> ReadManifestText(const std::string& host_path,
                                            platform::MessageBoxes& messages);

// The non-empty lines of the manifest in file order (a line ends at LF or
// CR LF). Nothing when the file is invalid under `rules`, or when it cannot be
// read; a file error is reported through `messages`.
std::optional<std::vector<std::string>> ReadManifestLines(const std::string& host_path,
                                                          ManifestRules rules,
                                                          platform::MessageBoxes& messages);

// The same rule applied to manifest text (exposed for tests and fuzzing).
std::optional<std::vector<std::string>> SplitManifestText(std::string_view text,
                                                          ManifestRules rules);

}  // namespace vanto::delivery
