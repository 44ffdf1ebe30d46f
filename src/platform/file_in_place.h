// Rewriting a file without replacing it, for files whose identity matters
// (their creation time is compared against other files' times).
#pragma once

#include <string_view>

namespace vanto::platform {

// Writes `bytes` as the whole content of the file at `host_path`: opens it
// (creating it when absent) without replacing it, writes from the start, cuts
// it to the written length and flushes it to disk before returning; a newly
// created file's folder entry is flushed too. The file keeps its identity and
// creation time. Returns 0, or the errno of the failed step.
int OverwriteFileInPlace(std::string_view host_path, std::string_view bytes);

}  // namespace vanto::platform
