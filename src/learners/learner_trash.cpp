#include "learners/learner_trash.h"

#include <gio/gio.h>

namespace vanto::learners {

bool MoveToTrash(const std::filesystem::path& folder, std::string* problem) {
  GFile* file = g_file_new_for_path(folder.c_str());
  GError* error = nullptr;
  const bool moved = g_file_trash(file, nullptr, &error);
  if (!moved && problem) *problem = error ? error->message : "unknown error";
  if (error) g_error_free(error);
  g_object_unref(file);
  return moved;
}

}  // namespace vanto::learners
