#include "delivery/manifest_command.h"

#include "delivery/entry_path.h"
#include "delivery/manifest_line.h"
#include "delivery/path_limit.h"
#include "platform/executable_file.h"
#include "platform/file_system.h"
#include "platform/native_path.h"

namespace vanto::delivery {

int RunManifestCommand(std::string_view line, std::string_view working_folder,
                       ProcessControl& processes) {
  const ManifestCommand command = ParseCommandLine(line);
  if (!command.file || !IsSafeRelativePath(*command.file)) return kCommandLineResult;
  const std::string path = platform::JoinHostPath(working_folder, *command.file);
  if (!FitsPathBuffer(path)) return kCommandLineResult;
  if (command.word == "update") {
    if (!platform::PathExists(path)) return kCommandLineResult;
    platform::MakeExecutable(path);  // a program delivered as a plain file
    return processes.Start(path, {}, "") ? kProgramStartedResult : kCommandLineResult;
  }
  if (command.word == "delete") platform::RemoveFile(path);
  return kCommandLineResult;
}

}  // namespace vanto::delivery
