#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

#include "platform/native_path.h"
#include "platform/program_start.h"

extern char** environ;

namespace vanto::platform {

namespace {

// Collects the exit status of a started program so that it does not stay a
// zombie while this process runs on.
void ReapInBackground(pid_t pid) {
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

}  // namespace

bool StartProgram(std::string_view host_path, const std::vector<std::string>& arguments,
                  std::string_view start_folder) {
  const std::string program = NativePath(host_path);
  std::vector<std::string> texts{program};
  for (const std::string& argument : arguments) texts.push_back(argument);
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return false;
  const std::string folder = NativePath(start_folder);
  if (!start_folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t pid = 0;
  const int error = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return false;
  ReapInBackground(pid);
  return true;
}

void EndProcessNow(int exit_code) {
  std::fflush(nullptr);
  ::_exit(exit_code);
}

}  // namespace vanto::platform
