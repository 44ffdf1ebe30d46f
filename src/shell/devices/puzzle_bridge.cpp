#include "shell/devices/puzzle_bridge.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "delivery/directories.h"
#include "platform/file_system.h"
#include "shell/command_match.h"
#include "shell/commands/callback.h"

namespace {

std::string PictureName(std::int32_t index) {
  char name[32];
  std::snprintf(name, sizeof name, kPuzzlePictureFormat, index);
  return name;
}

// The loader reports failures only as text, so the code is worked out from
// the file: the system's error number when it cannot be reached, ENOEXEC
// when it is there but is no loadable library.
int LoadErrorCode(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (error) return error.value();
  if (std::filesystem::is_directory(status)) return EISDIR;
  if (access(path.c_str(), R_OK) != 0) return errno;
  return ENOEXEC;
}

}  // namespace

PuzzleBridge::PuzzleBridge(MovieControl* movie, HanziWriter write_hanzi, std::string library_path,
                           std::FILE* failure_output)
    : write_hanzi_(std::move(write_hanzi)),
      library_path_(std::move(library_path)),
      failure_output_(failure_output) {
  record_.movie = movie;
}

PuzzleBridge::~PuzzleBridge() {
  UnloadPlugin();
}

void PuzzleBridge::SetPictureIndexes(std::int32_t index) {
  record_.last_index = index;
  record_.current_index = index;
}

void PuzzleBridge::HandlePuzzle(std::string_view argument, const CStudy& study) {
  bool ok;
  if (MatchExact(argument, "begin")) {
    ok = record_.module ? record_.make_puzzle != nullptr : LoadPlugin();
  } else if (MatchExact(argument, "exit")) {
    ok = UnloadPlugin();
  } else {
    ok = CutPicture(argument, study);
  }
  std::string payload = ok ? "" : "error_";
  payload += argument;
  CallMovie(record_.movie, BuildCallbackRequest(kPuzzleCallbackPrefix, payload));
}

// Loads the plug-in and looks up MakePuzzle; the library stays loaded even
// without it, so a later "begin" does not try again.
bool PuzzleBridge::LoadPlugin() {
  record_.module = dlopen(library_path_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!record_.module) {
    std::fprintf(failure_output_, "%d\n", LoadErrorCode(library_path_));
    std::fflush(failure_output_);
    const char* reason = dlerror();
    std::fprintf(stderr, "puzzle plug-in: %s\n", reason ? reason : library_path_.c_str());
    return false;
  }
  record_.make_puzzle =
      reinterpret_cast<MakePuzzleFunction>(dlsym(record_.module, kMakePuzzleName));
  return record_.make_puzzle != nullptr;
}

bool PuzzleBridge::UnloadPlugin() {
  if (!record_.module) return false;
  dlclose(record_.module);
  record_.module = nullptr;
  record_.make_puzzle = nullptr;
  return true;
}

bool PuzzleBridge::CutPicture(std::string_view argument, const CStudy& study) {
  const int number = ReadDecimal(argument);
  const std::string picture = FindPicture();
  if (write_hanzi_) write_hanzi_(record_.current_index, study);
  if (!record_.make_puzzle) return false;
  vanto::delivery::CreateParentDirectories(kPuzzleOutputFolder);
  if (record_.make_puzzle(picture.c_str(), number, kPuzzleOutputFolder) == 0) return false;
  StepPictureDown();
  return true;
}

// Walks down from current_index, wrapping below 0 to last_index, to the
// first picture that exists; current_index follows when one is found. With
// none, the name last tried is returned and current_index stays.
std::string PuzzleBridge::FindPicture() {
  const std::int32_t start = record_.current_index;
  std::int32_t i = start;
  std::string name = PictureName(i);
  // Every number from 0 to the larger index is tried at most once, even when
  // the indexes are out of order.
  const std::int64_t max_steps = std::max<std::int64_t>({record_.last_index, start, 0}) + 1;
  for (std::int64_t step = 0; !vanto::platform::PathExists(name); ++step) {
    i = i <= 0 ? record_.last_index : i - 1;
    if (i == start || step >= max_steps) return name;
    name = PictureName(i);
  }
  record_.current_index = i;
  return name;
}

void PuzzleBridge::StepPictureDown() {
  record_.current_index =
      record_.current_index <= 0 ? record_.last_index : record_.current_index - 1;
}
