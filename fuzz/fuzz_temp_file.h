// A scratch file for fuzz targets that feed their input through a file: one
// per process in the temporary folder, addressed by its host path. And a
// scratch folder per process for targets that need a tree of files.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/native_path.h"

// Memory-backed where there is such a folder: some readers save the file
// again, and a flush to disk for every input would cost most of the run.
inline std::filesystem::path FuzzScratchFolder() {
  std::error_code error;
  return std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm")
                                                          : std::filesystem::temp_directory_path();
}

class FuzzTempFile {
 public:
  explicit FuzzTempFile(const std::string& name)
      : native_((FuzzScratchFolder() / ("vanto-fuzz-" + std::to_string(::getpid()) + "-" + name))
                    .string()) {}
  ~FuzzTempFile() { std::remove(native_.c_str()); }

  void Write(const std::uint8_t* data, std::size_t size) const {
    if (std::FILE* file = std::fopen(native_.c_str(), "wb")) {
      if (size > 0) std::fwrite(data, 1, size, file);
      std::fclose(file);
    }
  }
  std::string HostPath() const { return vanto::platform::NativeToHostPath(native_); }
  const std::string& native() const { return native_; }

 private:
  std::string native_;
};

class FuzzTempFolder {
 public:
  explicit FuzzTempFolder(const std::string& name)
      : path_(FuzzScratchFolder() / ("vanto-fuzz-" + std::to_string(::getpid()) + "-" + name)) {
    std::filesystem::create_directories(path_);
    path_ = std::filesystem::canonical(path_);
  }
  ~FuzzTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  FuzzTempFolder(const FuzzTempFolder&) = delete;
  FuzzTempFolder& operator=(const FuzzTempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};
