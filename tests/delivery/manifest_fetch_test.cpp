// The manifest request: script hosts, passes, invalid replies, and the
// hand-over of the notices to a waiting dialog.
#include <chrono>

#include "delivery_fixture.h"

namespace vanto::testing {
namespace {

using delivery::ID_DOWNLOAD_DONE;
using delivery::ID_DOWNLOAD_RANGE;

TEST_F(DeliveryTest, TriesScriptHostsZeroToTwoForThreePassesThenGivesUp) {
  EXPECT_EQ(Fetch("?pday=3&from=1&to=6"), -1);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(hosts_[i].ScriptRequests(), 3) << "host " << i;
  EXPECT_EQ(hosts_[3].ScriptRequests(), 0);
  EXPECT_EQ(hosts_[0].server.paths()[0], "/v2.php?pday=3&from=1&to=6");
  EXPECT_TRUE(notices_.empty());
}

// A manifest that never ends, from every script host: all nine tries stop
// at the largest reply, at once, and leave no manifest behind.
TEST(ContentDeliveryLimits, AnEndlessManifestIsGivenUpAtOnce) {
  EndlessServer endless("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n", EndlessServer::kFullSpeed);
  TempFolder work;
  delivery::HeadlessEventLoop loop;
  RecordingProcesses processes;
  RecordingMessages messages;
  const std::string base = endless.BaseUrl();
  delivery::ContentDelivery delivery({base, base, base, base}, HostPath(work), loop, processes,
                                     messages, nullptr);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(delivery.FetchManifest("?p1", nullptr));
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 10.0);
  EXPECT_EQ(work.CountEntries(), 0);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DeliveryTest, HtmlReplyIsRejectedAndTheNextHostServes) {
  hosts_[0].SetManifest("a.txt\n<html><body>error</body></html>\n");
  hosts_[1].SetManifest("#comment\n");
  EXPECT_EQ(Fetch(), 1);  // the comment's line result
  EXPECT_EQ(hosts_[0].ScriptRequests(), 1);
  EXPECT_EQ(hosts_[1].ScriptRequests(), 1);
  ASSERT_EQ(delivery_.manifest_lines().size(), 1u);
  EXPECT_EQ(work_.Read("down.list"), "#comment\n");
}

TEST_F(DeliveryTest, ModalWaitSeesRangeStepsAndDone) {
  hosts_[1].files.Write("a.txt", "alpha");
  hosts_[1].files.Write("b.txt", "beta");
  Serve({EntryLine("a.txt", "alpha"), "#delete x nothing", EntryLine("b.txt", "beta")});
  EXPECT_EQ(Fetch(), 0);
  ASSERT_EQ(notices_.size(), 4u);
  EXPECT_EQ(notices_[0].code, ID_DOWNLOAD_RANGE);
  EXPECT_EQ(notices_[0].value, 3);
  EXPECT_EQ(notices_[1].line, EntryLine("a.txt", "alpha"));
  EXPECT_EQ(notices_[3].code, ID_DOWNLOAD_DONE);
  EXPECT_EQ(work_.Read("a.txt"), "alpha");
  EXPECT_EQ(work_.Read("b.txt"), "beta");
}

// A fetch requested while a worker runs waits for it; the running worker's
// notices (to the main window, which is the one waiting) are still served.
TEST(ContentDeliveryThreads, FetchAndDestructionWaitForTheRunningWorker) {
  std::array<ContentHost, 4> hosts;
  TempFolder work;
  for (int i = 0; i < 30; ++i) hosts[1].files.Write("f" + std::to_string(i), "x");
  std::string manifest;
  for (int i = 0; i < 30; ++i) manifest += "f" + std::to_string(i) + "\n";
  hosts[0].SetManifest(manifest);

  struct MainWindow : delivery::ProgressTarget {
    void OnDownloadNotice(int code, std::int64_t, std::string_view) override {
      codes.push_back(code);
    }
    std::vector<int> codes;
  } main_window;
  delivery::HeadlessEventLoop loop;
  RecordingProcesses processes;
  RecordingMessages messages;
  {
    delivery::ContentDelivery delivery({hosts[0].server.BaseUrl(), hosts[1].server.BaseUrl(),
                                        hosts[2].server.BaseUrl(), hosts[3].server.BaseUrl()},
                                       HostPath(work), loop, processes, messages, &main_window);
    ASSERT_TRUE(delivery.FetchManifest("?a", &main_window));
    EXPECT_TRUE(delivery.WorkerRunning());
    ASSERT_TRUE(delivery.FetchManifest("?b", &main_window));  // waits for the first run
    EXPECT_EQ(std::count(main_window.codes.begin(), main_window.codes.end(), ID_DOWNLOAD_DONE), 1);
  }  // destruction waits for the second run
  EXPECT_EQ(std::count(main_window.codes.begin(), main_window.codes.end(), ID_DOWNLOAD_DONE), 2);
  EXPECT_EQ(work.CountEntries(), 31);  // the files and down.list
}

// A handler that asks for another fetch while the worker waits for it would
// wait for itself; the request is refused instead.
TEST_F(DeliveryTest, FetchFromInsideANoticeIsSkipped) {
  Serve({"#c"});
  struct Reentrant : delivery::ProgressTarget {
    void OnDownloadNotice(int code, std::int64_t, std::string_view) override {
      if (code == ID_DOWNLOAD_DONE) nested = delivery->FetchManifest("?again", this);
    }
    delivery::ContentDelivery* delivery = nullptr;
    bool nested = true;
  } target;
  target.delivery = &delivery_;
  ASSERT_TRUE(delivery_.FetchManifest("?p", &target));
  delivery_.JoinWorker();
  EXPECT_FALSE(target.nested);
  EXPECT_EQ(hosts_[0].ScriptRequests(), 1);
}

}  // namespace
}  // namespace vanto::testing
