// The updater's engine against a local update service.
#include "updater/update_engine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "delivery/delivery_fakes.h"
#include "delivery/headless_event_loop.h"
#include "delivery/reload_wait.h"
#include "platform/codepage.h"
#include "updater/host_restart.h"
#include "updater/working_folder.h"

namespace vanto::testing {
namespace {

TEST(UpdaterWorkingFolder, AFolderNamedUpdateSomethingHandsOverToItsParent) {
  EXPECT_EQ(updater::UpdaterWorkingFolder("\\opt\\Vanto\\Update"), "\\opt\\Vanto");
  EXPECT_EQ(updater::UpdaterWorkingFolder("\\opt\\Vanto\\UPDATES\\"), "\\opt\\Vanto");
  EXPECT_EQ(updater::UpdaterWorkingFolder("\\opt\\Vanto"), "\\opt\\Vanto");
  EXPECT_EQ(updater::UpdaterWorkingFolder("\\opt\\Vanto\\upd"), "\\opt\\Vanto\\upd");
  EXPECT_EQ(updater::UpdaterWorkingFolder("\\opt\\my-update"), "\\opt\\my-update");
}

class UpdateEngineTest : public ::testing::Test {
 protected:
  // Runs the update as the dialog would; the dialog's result, or -1 when no
  // manifest was fetched.
  std::int64_t RunUpdate() {
    delivery::ReloadWait dialog(loop_, [this](int code, std::int64_t, std::string_view line) {
      if (code == delivery::ID_DOWNLOAD_STEP) steps_.emplace_back(line);
    });
    updater::UpdateEngine engine({hosts_[0].server.BaseUrl(), hosts_[1].server.BaseUrl(),
                                  hosts_[2].server.BaseUrl(), hosts_[3].server.BaseUrl()},
                                 HostPath(work_), loop_, processes_, messages_, dialog, "Update");
    if (!engine.UpdateMain()) return -1;
    EXPECT_FALSE(engine.UpdateMain());  // a second OK starts nothing
    return dialog.RunModal();
  }

  std::array<ContentHost, 4> hosts_;
  TempFolder work_;
  delivery::HeadlessEventLoop loop_;
  RecordingProcesses processes_;
  RecordingMessages messages_;
  std::vector<std::string> steps_;
};

TEST_F(UpdateEngineTest, EveryListedFileIsFetchedAndExecutablesInstalled) {
  work_.Write("a.txt", "old a");
  hosts_[1].files.Write("update/a.txt", "new a");
  hosts_[1].files.Write("update/声/b.txt", "b");
  hosts_[1].files.Write("update/Vanto.ex_", "#!/bin/sh\n");
  hosts_[1].files.Write("update/tool.ex_", "#!/bin/sh\n");
  hosts_[0].SetManifest("a.txt\t2012|ffff\n" + platform::Utf8ToGbk("声/b.txt") +
                        "\nVanto.ex_\t\texe\ntool.ex_\tx\texe run\n");
  EXPECT_EQ(RunUpdate(), updater::kUpdateComplete);
  EXPECT_EQ(steps_.size(), 4u);
  EXPECT_EQ(work_.Read("a.txt"), "new a");
  EXPECT_EQ(work_.Read("声/b.txt"), "b");
  struct stat info {};
  ASSERT_EQ(::stat(work_.File("Vanto").c_str(), &info), 0);
  EXPECT_NE(info.st_mode & S_IXUSR, 0u);
  EXPECT_FALSE(work_.Exists("Vanto.ex_"));
  ASSERT_EQ(processes_.starts().size(), 1u);  // tool only: Vanto is started by the restart
  EXPECT_EQ(processes_.starts()[0].path, HostPath(work_, "tool"));
  EXPECT_EQ(processes_.starts()[0].arguments, std::vector<std::string>{"/updated"});
  EXPECT_TRUE(messages_.shown.empty());

  updater::RestartHost(HostPath(work_), processes_);
  EXPECT_EQ(processes_.starts()[1].path, HostPath(work_, "Vanto"));
  EXPECT_EQ(processes_.starts()[1].arguments, std::vector<std::string>{"/updated"});
  EXPECT_EQ(processes_.starts()[1].folder, HostPath(work_));
}

// An update is applied whole or not at all: a half-applied one would be a
// new program beside old data.
TEST_F(UpdateEngineTest, AnUpdateWhoseLastFileFailsLeavesEveryFileAsItWas) {
  for (const char* name : {"a.txt", "Vanto", "c.txt"}) work_.Write(name, "old");
  hosts_[1].files.Write("update/a.txt", "new");
  hosts_[1].files.Write("update/Vanto.ex_", "new");
  hosts_[1].files.Write("update/tool.ex_", "new");
  hosts_[0].SetManifest("a.txt\nVanto.ex_\t\texe\ntool.ex_\t\texe run\nc.txt\n");
  EXPECT_EQ(RunUpdate(), updater::kUpdateFailed);
  for (const char* name : {"a.txt", "Vanto", "c.txt"}) EXPECT_EQ(work_.Read(name), "old") << name;
  EXPECT_EQ(work_.CountEntries(), 4);  // the three files and down.list, nothing beside them
  EXPECT_TRUE(processes_.starts().empty());
  EXPECT_EQ(messages_.shown, std::vector<std::string>{"Download Failed."});
  EXPECT_EQ(steps_.size(), 4u);
}

TEST_F(UpdateEngineTest, PartialDownloadAndEscapingPathsFailTheRun) {
  TempFolder outside;
  outside.Write("keep.txt", "keep");
  work_.Write("cut/x.bin", "old");
  hosts_[1].files.Write("update/keep.txt", "evil");
  hosts_[0].SetManifest("cut/x.bin\n");
  EXPECT_EQ(RunUpdate(), updater::kUpdateFailed);
  EXPECT_EQ(work_.Read("cut/x.bin"), "old");
  EXPECT_EQ(work_.CountEntries("cut"), 1);

  hosts_[0].SetManifest("../" + std::filesystem::path(outside.path().string()).filename().string() +
                        "/keep.txt\n");
  EXPECT_EQ(RunUpdate(), updater::kUpdateFailed);
  EXPECT_EQ(outside.Read("keep.txt"), "keep");
}

TEST_F(UpdateEngineTest, NoManifestFromAnyHostShowsTheFailure) {
  EXPECT_EQ(RunUpdate(), -1);
  EXPECT_EQ(messages_.shown, std::vector<std::string>{platform::Utf8ToGbk("更新失败!")});
  for (int i = 0; i < 3; ++i) EXPECT_EQ(hosts_[i].ScriptRequests(), 3);
  EXPECT_EQ(hosts_[0].server.paths()[0], "/v2.php?update");
}

TEST_F(UpdateEngineTest, EmptyManifestCompletesAtOnce) {
  hosts_[0].SetManifest("\n");
  EXPECT_EQ(RunUpdate(), updater::kUpdateComplete);
  EXPECT_TRUE(steps_.empty());
}

}  // namespace
}  // namespace vanto::testing
