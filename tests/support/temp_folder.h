// A fresh folder under the system's temporary folder for one test (or one
// suite), removed with its content at the end. WorkingFolder also makes it the
// current folder for its lifetime, as the program does with its own folder.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vanto::testing {

class TempFolder {
 public:
  // The folder's name starts with `prefix`, so that a kept folder tells which
  // test made it.
  explicit TempFolder(std::string_view prefix = "vanto-test");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of `relative` inside the folder ('/' separated).
  std::string File(const std::string& relative) const;

  // Writes `bytes` to `relative`, creating its parent folders; the file's path.
  std::filesystem::path Write(const std::string& relative, const std::string& bytes) const;
  // The whole file; empty when it cannot be read.
  std::string Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  // Number of entries directly in the folder, or in a folder inside it.
  int CountEntries(const std::string& relative = {}) const;

  // Leaves the folder in place at the end (for a look after a failure); says where.
  void Keep();

 private:
  std::filesystem::path path_;
  bool keep_ = false;
};

class WorkingFolder : public TempFolder {
 public:
  explicit WorkingFolder(std::string_view prefix = "vanto-test");
  ~WorkingFolder();

 private:
  std::filesystem::path previous_;
};

}  // namespace vanto::testing
