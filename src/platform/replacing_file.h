// A file that replaces another one whole: the bytes go into a temporary file
// in the target's folder, and only Commit renames it over the target. Until
// then, and whenever a step fails, readers see the previous file unchanged.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vanto::platform {

class ReplacingFile {
 public:
  ReplacingFile() = default;
  ~ReplacingFile();  // an uncommitted temporary file is removed
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // Each step returns 0, or the errno of what failed. Create fails (and
  // creates nothing) when the target's folder does not exist.
  int Create(std::string_view host_path);
  int Append(const char* data, std::size_t size);
  // Flushes the temporary file to disk and renames it over the target.
  int Commit();
  // Removes the temporary file; the target stays as it was.
  void Discard();

 private:
  int fd_ = -1;
  std::string temp_;
  std::string target_;
};

}  // namespace vanto::platform
