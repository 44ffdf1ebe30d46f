// A fresh folder under the system's temporary folder, removed with its
// content at the end of the test.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "platform/native_path.h"

namespace vanto::testing {

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vanto-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    native_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(native_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // Native (UTF-8, '/') path of the folder or of a name inside it.
  const std::string& native() const { return native_; }
  std::string Native(const std::string& relative) const { return native_ + "/" + relative; }
  // Host path (backslashes) of a name inside it; `relative` uses '\' or '/'.
  std::string Host(const std::string& relative = {}) const {
    const std::string host = platform::NativeToHostPath(native_);
    return relative.empty() ? host : platform::JoinHostPath(host, Backslashed(relative));
  }

  void Write(const std::string& relative, const std::string& bytes) const {
    const std::filesystem::path path = Native(relative);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& relative) const {
    std::ifstream in(Native(relative), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  bool Exists(const std::string& relative) const {
    return std::filesystem::exists(std::filesystem::path(Native(relative)));
  }
  // Number of entries directly in the folder (or in a subfolder).
  int CountEntries(const std::string& relative = {}) const {
    const std::string folder = relative.empty() ? native_ : Native(relative);
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder),
                                          std::filesystem::directory_iterator()));
  }

 private:
  static std::string Backslashed(std::string path) {
    for (char& c : path) {
      if (c == '/') c = '\\';
    }
    return path;
  }

  std::string native_;
};

}  // namespace vanto::testing
