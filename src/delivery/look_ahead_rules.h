// Which manifest entries the download worker's look-ahead may work on, and
// which of them must wait for one another.
#pragma once

#include <string>
#include <string_view>

#include "delivery/manifest_line.h"

namespace vanto::delivery {

// Whether the worker may touch an entry's file at all: the path is a safe
// relative path and the local path fits a path buffer. Other entries are
// failed entries: their step is shown, nothing is checked or fetched.
bool EntryPathUsable(std::string_view path, const std::string& local_path);

// An entry after which nothing is worked on ahead until the worker has
// handled it: an executable (it may be installed over any file and started)
// or one that ends the program.
bool StopsLookAhead(const ManifestEntry& entry);

// A local path in a form where two paths naming the same file compare
// equal: separators unified, empty and "." folders dropped, ASCII letters in
// lower case (the program folder may be on a file system that ignores case).
std::string PathKey(std::string_view local_path);

// Whether two keys name the same file, or one names a folder above the
// other: work on either changes what the other finds.
bool PathsOverlap(std::string_view key, std::string_view other);

}  // namespace vanto::delivery
