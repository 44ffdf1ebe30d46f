// The real program start and process end, seen from outside.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "delivery/content_delivery.h"
#include "delivery/headless_event_loop.h"
#include "delivery_fakes.h"

namespace vanto::testing {
namespace {

bool WaitForFile(const TempFolder& folder, const std::string& name) {
  for (int i = 0; i < 200 && !folder.Exists(name); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return folder.Exists(name);
}

// Runs `body` in a child process; its exit status.
template <typename Body>
int RunInChild(Body body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    body();
    ::_exit(3);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Delivers `manifest` into `work` with the system's process control.
void DeliverForReal(ContentHost& host, const TempFolder& work) {
  delivery::HeadlessEventLoop loop;
  delivery::SystemProcessControl processes;
  RecordingMessages messages;
  const std::string base = host.server.BaseUrl();
  delivery::ContentDelivery delivery({base, base, base, base}, HostPath(work), loop, processes,
                                     messages, nullptr);
  if (delivery.FetchManifest("?s", nullptr)) delivery.JoinWorker();
}

TEST(ProcessControl, ExecutableEntryIsInstalledAndReallyStarted) {
  ContentHost host;
  TempFolder work;
  const std::string script = "#!/bin/sh\necho started > \"" + work.File("marker") + "\"\n";
  host.files.Write("run/tool.ex_", script);
  host.SetManifest(EntryLine("run/tool.ex_", script, "exe") + "\n");
  DeliverForReal(host, work);
  EXPECT_TRUE(WaitForFile(work, "marker"));
  EXPECT_TRUE(work.Exists("run/tool"));
}

// A program refreshed by a plain entry keeps its permissions, so the command
// that names it next can start it.
TEST(ProcessControl, RefreshedProgramStaysExecutableAndStarts) {
  ContentHost host;
  TempFolder work;
  const std::string script = "#!/bin/sh\necho started > \"" + work.File("marker") + "\"\n";
  work.Write("Update", "old version");
  ::chmod(work.File("Update").c_str(), 0710);
  host.files.Write("Update", script);
  host.SetManifest(EntryLine("Update", script, "") + "\n#update\tx\tUpdate\n");
  DeliverForReal(host, work);
  EXPECT_TRUE(WaitForFile(work, "marker"));
  struct stat info {};
  ASSERT_EQ(::stat(work.File("Update").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0710u);
}

TEST(ProcessControl, QuitEntryEndsTheProcessWithCodeZero) {
  TempFolder work;
  const int status = RunInChild([&] {
    ContentHost host;  // threads are started in the child itself
    host.files.Write("q.txt", "q");
    host.files.Write("after.txt", "a");
    host.SetManifest(EntryLine("q.txt", "q", "quit") + "\nafter.txt\n");
    DeliverForReal(host, work);
  });
  EXPECT_EQ(status, 0);  // 3 when the run went on to its end
  EXPECT_TRUE(work.Exists("q.txt"));
  EXPECT_FALSE(work.Exists("after.txt"));
}

}  // namespace
}  // namespace vanto::testing
