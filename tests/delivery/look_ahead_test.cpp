// The download worker with checks and downloads running ahead of it: long
// manifests, so that several connections are in use.
#include "delivery_fixture.h"

namespace vanto::testing {
namespace {

class LookAheadTest : public DeliveryTest {
 protected:
  static std::string NameOf(const std::string& folder, int i) {
    return folder + "/" + std::to_string(i % 5) + "/" + std::to_string(i);
  }

  // `count` entries of files that mirror 1 (and `also_on` mirrors) serve and
  // that are missing locally.
  std::vector<std::string> ServedEntries(const std::string& folder, int count,
                                         std::vector<int> also_on = {}) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
      const std::string name = NameOf(folder, i);
      for (int mirror : also_on) hosts_[mirror].files.Write(name, name);
      hosts_[1].files.Write(name, name);
      lines.push_back(EntryLine(name, name));
    }
    return lines;
  }

  // The notices a worker doing one line at a time sends for `lines`.
  void ExpectNoticesInOrder(const std::vector<std::string>& lines, std::int64_t code) {
    ASSERT_FALSE(notices_.empty());
    EXPECT_EQ(notices_.front().code, delivery::ID_DOWNLOAD_RANGE);
    EXPECT_EQ(notices_.front().value, static_cast<std::int64_t>(lines.size()));
    std::vector<std::string> steps;
    for (const Notice& notice : notices_) {
      if (notice.code == delivery::ID_DOWNLOAD_STEP) steps.push_back(notice.line);
    }
    std::vector<std::string> entries;
    for (const std::string& line : lines) {
      if (line[0] != '#') entries.push_back(line);
    }
    EXPECT_EQ(steps, entries);
    EXPECT_EQ(notices_.back().code, delivery::ID_DOWNLOAD_DONE);
    EXPECT_EQ(notices_.back().value, code);
  }

  int RequestsFor(int mirror, const std::string& prefix) const {
    int count = 0;
    for (const std::string& path : hosts_[mirror].FileRequests()) {
      count += path.rfind("/v2/" + prefix, 0) == 0;
    }
    return count;
  }
};

TEST_F(LookAheadTest, EntriesWorkedOnAheadKeepNoticeOrderAndResults) {
  std::vector<std::string> lines = ServedEntries("m", 160);
  // Some files are present: every eighth current, every other fourth stale.
  for (int i = 0; i < 160; i += 4) {
    work_.Write(NameOf("m", i), i % 8 == 0 ? NameOf("m", i) : "stale");
  }
  // Checked ahead: a stale file whose mirrors all serve a wrong digest ends
  // up deleted; two entries for one file see each other's result in order.
  work_.Write("bad.bin", "stale");
  for (int i = 1; i <= 3; ++i) hosts_[i].files.Write("bad.bin", "corrupt");
  hosts_[1].files.Write("dup.txt", "second");
  lines.insert(lines.begin() + 120, {EntryLine("dup.txt", "first"), EntryLine("bad.bin", "good"),
                                     EntryLine("dup.txt", "second")});
  Serve(lines);
  EXPECT_EQ(Fetch(), 0);
  ExpectNoticesInOrder(lines, 0);
  for (int i = 0; i < 160; ++i) EXPECT_EQ(work_.Read(NameOf("m", i)), NameOf("m", i));
  EXPECT_FALSE(work_.Exists("bad.bin"));
  EXPECT_EQ(work_.Read("dup.txt"), "second");
  EXPECT_GT(hosts_[1].server.connections(), 1);
  EXPECT_LE(hosts_[1].server.connections(), 4);
}

TEST_F(LookAheadTest, MirrorFailingWhileOthersAreInFlightMovesBackForWhatStartsLater) {
  std::vector<std::string> lines = ServedEntries("both", 100, {2});
  for (int i = 0; i < 60; ++i) {
    const std::string name = "second/" + std::to_string(i);
    hosts_[2].files.Write(name, name);
    lines.push_back(EntryLine(name, name));
  }
  Serve(lines);
  EXPECT_EQ(Fetch(), 0);
  ExpectNoticesInOrder(lines, 0);
  for (int i = 0; i < 60; ++i) EXPECT_TRUE(work_.Exists("second/" + std::to_string(i)));
  // Only downloads already under way when mirror 1 first failed tried it.
  EXPECT_GE(RequestsFor(1, "second/"), 1);
  EXPECT_LE(RequestsFor(1, "second/"), 4);
  EXPECT_EQ(RequestsFor(2, "second/"), 60);
}

TEST_F(LookAheadTest, NothingRunsAheadOfACommandLine) {
  std::vector<std::string> lines = ServedEntries("a", 80);
  work_.Write("k.txt", "k");
  hosts_[1].files.Write("k.txt", "k");
  work_.Write("Update", "u");
  const std::vector<std::string> after = ServedEntries("after", 20);
  // The entry after the delete finds its file gone and fetches it again.
  lines.insert(lines.end(), {"#delete x k.txt", EntryLine("k.txt", "k"), "#update x Update"});
  lines.insert(lines.end(), after.begin(), after.end());
  Serve(lines);
  EXPECT_EQ(Fetch(), 2);
  EXPECT_EQ(work_.Read("k.txt"), "k");
  EXPECT_EQ(RequestsFor(1, "k.txt"), 1);
  EXPECT_EQ(RequestsFor(1, "after/"), 0);
  EXPECT_FALSE(work_.Exists("after"));
  EXPECT_EQ(processes_.starts().size(), 1u);
}

struct RecordingWindow : delivery::ProgressTarget {
  void OnDownloadNotice(int code, std::int64_t, std::string_view) override {
    codes.push_back(code);
  }
  std::vector<int> codes;
};

TEST_F(LookAheadTest, ClosingWhileDownloadsAreInFlightWaitsForACompleteRun) {
  const std::vector<std::string> lines = ServedEntries("c", 200);
  Serve(lines);
  RecordingWindow window;
  {
    delivery::ContentDelivery closing(Mirrors(), HostPath(work_), loop_, processes_, messages_,
                                      &window);
    ASSERT_TRUE(closing.FetchManifest("?p1", &window));
  }
  ASSERT_FALSE(window.codes.empty());
  EXPECT_EQ(window.codes.back(), delivery::ID_DOWNLOAD_DONE);
  EXPECT_EQ(std::count(window.codes.begin(), window.codes.end(), delivery::ID_DOWNLOAD_STEP), 200);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(work_.CountEntries("c/" + std::to_string(i)), 40);
}

}  // namespace
}  // namespace vanto::testing
