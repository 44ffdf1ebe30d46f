#include "learners/course_sharing.h"

#include <array>
#include <string_view>

#include "learners/learner_card.h"

namespace vanto::learners {

namespace {

namespace fs = std::filesystem;

// Files and folders at the top of a learner's folder that are the learner's
// own, or placed by the installation step.
constexpr std::array<std::string_view, 15> kOwnTopNames = {
    "Vanto.ini",        // the study file (profile)
    "Vanto.inf",        // the account service's reply
    "list.dat",         // the character counters, rewritten in place
    "list.dat.new",     // its journal
    "list.txt",         // the course list the record file belongs to
    "service.ini",      // the service hosts
    "debug.ini",        // the command echo switch
    "down.list",        // the last manifest
    "package-version",  // the installation step's stamp
    kCardFileName,      // name and picture
    "Vanto",            // the programs, placed by the installation step
    "Update",          "libPuzzle.so",
    "player",       // the movie player
    "player-data",  // the player's local store: the learner's identity
};

// The puzzle plug-in cuts its pieces into this folder, writing in place.
const fs::path kPuzzlePieces = fs::path("hlg") / "puzzle";

bool IsOwnTopName(std::string_view name) {
  for (const std::string_view own : kOwnTopNames) {
    if (name == own) return true;
  }
  return false;
}

}  // namespace

bool IsSharedCourseFile(const fs::path& relative) {
  if (relative.empty() || relative.is_absolute()) return false;
  const std::string top = relative.begin()->string();
  if (IsOwnTopName(top)) return false;
  const fs::path inside_pieces = relative.lexically_relative(kPuzzlePieces);
  if (!inside_pieces.empty() && *inside_pieces.begin() != "..") return false;
  for (const fs::path& part : relative) {
    // Temporary and staging files, and anything else hidden.
    if (part.string().starts_with(".")) return false;
  }
  // The documents the course writes for the movie are XML.
  return relative.extension() != ".xml";
}

SharedFiles ShareCourseFiles(const fs::path& from, const fs::path& to) {
  SharedFiles shared;
  std::error_code error;
  fs::recursive_directory_iterator walk(from, fs::directory_options::none, error);
  for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
    const fs::path relative = walk->path().lexically_relative(from);
    if (walk->is_symlink(error)) continue;
    if (walk->is_directory(error)) {
      if (!IsSharedCourseFile(relative / "x")) walk.disable_recursion_pending();
      continue;
    }
    if (!walk->is_regular_file(error) || !IsSharedCourseFile(relative)) continue;
    const fs::path target = to / relative;
    if (fs::exists(fs::symlink_status(target, error))) continue;
    std::error_code link_error;
    fs::create_directories(target.parent_path(), link_error);
    fs::create_hard_link(walk->path(), target, link_error);
    if (link_error) continue;
    ++shared.files;
    shared.bytes += walk->file_size(link_error);
  }
  return shared;
}

}  // namespace vanto::learners
