#include "updater/working_folder.h"

#include <strings.h>

#include "platform/file_system.h"
#include "platform/temporary_files.h"

namespace vanto::updater {

std::string UpdaterWorkingFolder(std::string_view program_folder) {
  std::string folder(program_folder);
  while (folder.size() > 1 && folder.back() == '\\') folder.pop_back();
  const std::size_t slash = folder.rfind('\\');
  const std::size_t name_start = slash == std::string::npos ? 0 : slash + 1;
  const std::string_view name = std::string_view(folder).substr(name_start);
  if (name.size() >= 6 && ::strncasecmp(name.data(), "update", 6) == 0) {
    folder.resize(slash == std::string::npos || slash == 0 ? name_start : slash);
  }
  return folder;
}

std::string EnterWorkingFolder() {
  const std::string folder = UpdaterWorkingFolder(platform::ProgramFolder());
  platform::SetCurrentFolder(folder);
  platform::RemoveStaleTemporaryFiles(folder);  // left by a crash or a kill
  return folder;
}

}  // namespace vanto::updater
