#include "service/content/sound_synth.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

extern char** environ;

namespace vanto::service {

bool RunProgram(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  pid_t pid = 0;
  int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return false;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool SpeakToMp3(const std::string& text, const std::filesystem::path& target) {
  const std::string unique = "." + std::to_string(getpid()) + "." + std::to_string(gettid());
  auto wav = target;
  wav += unique + ".wav";
  auto mp3 = target;
  mp3 += unique + ".part";
  bool ok = RunProgram({"espeak-ng", "-v", "cmn", "-w", wav.string(), text}) &&
            RunProgram({"lame", "--quiet", "-b", "32", wav.string(), mp3.string()});
  std::error_code error;
  if (ok) std::filesystem::rename(mp3, target, error);
  std::filesystem::remove(wav, error);
  std::filesystem::remove(mp3, error);
  return ok && std::filesystem::exists(target);
}

}  // namespace vanto::service
