// The updater of an installation that names its publisher's key.
#include <gtest/gtest.h>

#include "delivery/delivery_fakes.h"
#include "delivery/headless_event_loop.h"
#include "delivery/reload_wait.h"
#include "delivery/test_publisher.h"
#include "updater/update_engine.h"

namespace vanto::testing {
namespace {

class SignedUpdateTest : public ConfiguredPublisher, public ::testing::Test {
 protected:
  // The dialog's result, or -1 when no manifest was accepted.
  std::int64_t RunUpdate(const std::string& manifest, const std::string& signature) {
    hosts_[0].SetManifest(manifest);
    hosts_[0].signature = signature;
    delivery::ReloadWait dialog(loop_, [](int, std::int64_t, std::string_view) {});
    updater::UpdateEngine engine({hosts_[0].server.BaseUrl(), hosts_[1].server.BaseUrl(),
                                  hosts_[2].server.BaseUrl(), hosts_[3].server.BaseUrl()},
                                 HostPath(work_), loop_, processes_, messages_, dialog, "Update");
    if (!engine.UpdateMain()) return -1;
    return dialog.RunModal();
  }

  std::array<ContentHost, 4> hosts_;
  TempFolder work_;
  delivery::HeadlessEventLoop loop_;
  RecordingProcesses processes_;
  RecordingMessages messages_;
};

TEST_F(SignedUpdateTest, AForgedLastFileLeavesEveryFileAsItWas) {
  work_.Write("a.txt", "old a");
  work_.Write("b.txt", "old b");
  hosts_[1].files.Write("update/a.txt", "new a");
  hosts_[1].files.Write("update/b.txt", "forged");
  const std::string manifest =
      EntryLine("a.txt", "new a") + "\n" + EntryLine("b.txt", "new b") + "\n";
  EXPECT_EQ(RunUpdate(manifest, Update(manifest, Now())), updater::kUpdateFailed);
  EXPECT_EQ(work_.Read("a.txt"), "old a");
  EXPECT_EQ(work_.Read("b.txt"), "old b");
  EXPECT_EQ(work_.CountEntries(), 3);  // the two files and down.list, nothing beside them
  hosts_[1].files.Write("update/b.txt", "new b");
  EXPECT_EQ(RunUpdate(manifest, Update(manifest, Now())), updater::kUpdateComplete);
  EXPECT_EQ(work_.Read("a.txt"), "new a");
  EXPECT_EQ(work_.Read("b.txt"), "new b");
}

TEST_F(SignedUpdateTest, AlteredForeignUnsignedOlderOrExpiredManifestsAreRefused) {
  const std::int64_t start = Now(-10 * kDay);
  hosts_[1].files.Write("update/z.txt", "z");
  const std::string first = EntryLine("z.txt", "z") + "\n";
  EXPECT_EQ(RunUpdate(first, Update(first, start + 2000, 20 * kDay)), updater::kUpdateComplete);
  work_.Write("a.txt", "old");
  hosts_[1].files.Write("update/a.txt", "new");
  const std::string manifest = EntryLine("a.txt", "new") + "\n";
  const std::string altered = "b" + manifest.substr(1);
  for (const auto& [served, signature] : std::vector<std::pair<std::string, std::string>>{
           {altered, Update(manifest, start + 3000, 20 * kDay)},
           {manifest, TestPublisher().Update(manifest, start + 3000, 20 * kDay)},
           {manifest, ""},
           {manifest,
            Content(manifest, start + 3000, "update", 20 * kDay)},  // a content manifest's
           {manifest, Update(manifest, start + 1999, 20 * kDay)},
           {manifest, Update(manifest, start + 3000, 8 * kDay)}}) {  // valid until two days ago
    EXPECT_EQ(RunUpdate(served, signature), -1) << signature;
  }
  EXPECT_EQ(work_.Read("a.txt"), "old");
  EXPECT_EQ(messages_.shown.size(), 6u);  // "更新失败!" each time
  EXPECT_EQ(RunUpdate(manifest, Update(manifest, start + 3000, 20 * kDay)),
            updater::kUpdateComplete);
  EXPECT_EQ(work_.Read("a.txt"), "new");
}

}  // namespace
}  // namespace vanto::testing
