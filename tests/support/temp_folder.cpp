#include "temp_folder.h"

#include <stdlib.h>

#include <iostream>
#include <iterator>
#include <stdexcept>

#include "files.h"

namespace vanto::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder(std::string_view prefix) {
  std::string pattern = (fs::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
  path_ = pattern;
}

TempFolder::~TempFolder() {
  if (keep_) return;
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string TempFolder::File(const std::string& relative) const {
  return (path_ / relative).string();
}

fs::path TempFolder::Write(const std::string& relative, const std::string& bytes) const {
  const fs::path file = path_ / relative;
  WriteFile(file, bytes);
  return file;
}

std::string TempFolder::Read(const std::string& relative) const {
  return ReadFile(path_ / relative);
}

bool TempFolder::Exists(const std::string& relative) const {
  return fs::exists(path_ / relative);
}

int TempFolder::CountEntries(const std::string& relative) const {
  const fs::path folder = relative.empty() ? path_ : path_ / relative;
  return static_cast<int>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

void TempFolder::Keep() {
  if (!keep_) std::cerr << "kept " << path_.string() << "\n";
  keep_ = true;
}

WorkingFolder::WorkingFolder(std::string_view prefix)
    : TempFolder(prefix), previous_(fs::current_path()) {
  fs::current_path(path());
}

WorkingFolder::~WorkingFolder() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
}

}  // namespace vanto::testing
