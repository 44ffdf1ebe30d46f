#include "delivery/url_download.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "host_path.h"
#include "platform/codepage.h"
#include "temp_folder.h"
#include "test_http_server.h"

namespace vanto::delivery {
namespace {

using namespace vanto::testing;

class UrlDownloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    content_.Write("a.txt", "content of a");
    content_.Write("sub/b.bin", std::string(200000, 'b'));
    server_.ServeFolder(content_.path().string());
    server_.http().Get("/page", [](const httplib::Request&, httplib::Response& response) {
      response.set_content("<html><body>not found</body></html>", "text/html");
    });
    server_.http().Get("/moved", [](const httplib::Request&, httplib::Response& response) {
      response.set_redirect("/a.txt");
    });
    server_.http().Get("/moved-away", [](const httplib::Request&, httplib::Response& response) {
      response.set_redirect("/nothing-here");
    });
    server_.http().Get("/error", [](const httplib::Request&, httplib::Response& response) {
      response.status = 500;
      response.set_content("oops", "text/plain");
    });
    server_.Start();
  }

  TempFolder content_;
  TempFolder target_;
  TestHttpServer server_;
  UrlDownloader downloader_;
};

TEST_F(UrlDownloadTest, WritesBodyToTarget) {
  EXPECT_TRUE(downloader_.Download(server_.Url("/a.txt"), HostPath(target_, "a.txt")));
  EXPECT_EQ(target_.Read("a.txt"), "content of a");
  EXPECT_TRUE(downloader_.Download(server_.Url("/sub/b.bin?rand=42"), HostPath(target_, "b.bin")));
  EXPECT_EQ(target_.Read("b.bin"), std::string(200000, 'b'));
  EXPECT_EQ(target_.CountEntries(), 2) << "no temporary file stays behind";
}

TEST_F(UrlDownloadTest, ReplacesExistingFileOnlyWithAnAcceptedOne) {
  target_.Write("a.txt", "an older and longer content");
  DownloadOptions refusing;
  std::string looked_at;
  refusing.accept = [&](const std::string& arrived) {
    looked_at = arrived;
    return false;
  };
  EXPECT_FALSE(downloader_.Download(server_.Url("/a.txt"), HostPath(target_, "a.txt"), refusing));
  EXPECT_NE(looked_at, HostPath(target_, "a.txt"));  // checked under another name
  EXPECT_EQ(target_.Read("a.txt"), "an older and longer content");
  EXPECT_EQ(target_.CountEntries(), 1);
  EXPECT_TRUE(downloader_.Download(server_.Url("/a.txt"), HostPath(target_, "a.txt")));
  EXPECT_EQ(target_.Read("a.txt"), "content of a");
}

TEST_F(UrlDownloadTest, ErrorStatusLeavesNoFileAndKeepsExistingOne) {
  EXPECT_FALSE(downloader_.Download(server_.Url("/missing.txt"), HostPath(target_, "new.txt")));
  EXPECT_FALSE(downloader_.Download(server_.Url("/error"), HostPath(target_, "new.txt")));
  EXPECT_FALSE(target_.Exists("new.txt"));
  target_.Write("old.txt", "keep me");
  EXPECT_FALSE(downloader_.Download(server_.Url("/missing.txt"), HostPath(target_, "old.txt")));
  EXPECT_EQ(target_.Read("old.txt"), "keep me");
  EXPECT_EQ(target_.CountEntries(), 1);
}

TEST_F(UrlDownloadTest, HtmlReplyIsAnOrdinaryBody) {
  EXPECT_TRUE(downloader_.Download(server_.Url("/page"), HostPath(target_, "down.list")));
  EXPECT_EQ(target_.Read("down.list"), "<html><body>not found</body></html>");
}

TEST_F(UrlDownloadTest, FollowsRedirects) {
  EXPECT_TRUE(downloader_.Download(server_.Url("/moved"), HostPath(target_, "r.txt")));
  EXPECT_EQ(target_.Read("r.txt"), "content of a");
  EXPECT_FALSE(downloader_.Download(server_.Url("/moved-away"), HostPath(target_, "gone.txt")));
  EXPECT_FALSE(target_.Exists("gone.txt"));
  DownloadOptions https_only;
  https_only.https_redirects_only = true;
  EXPECT_FALSE(downloader_.Download(server_.Url("/moved"), HostPath(target_, "s.txt"), https_only));
  EXPECT_FALSE(target_.Exists("s.txt"));
}

TEST_F(UrlDownloadTest, ReusesOneConnectionForManyDownloads) {
  for (int i = 0; i < 30; ++i) {
    ASSERT_TRUE(downloader_.Download(server_.Url("/a.txt?rand=" + std::to_string(i)),
                                     HostPath(target_, "f" + std::to_string(i))));
  }
  EXPECT_EQ(server_.requests(), 30);
  EXPECT_EQ(server_.connections(), 1);
}

TEST_F(UrlDownloadTest, PerThreadDownloaderKeepsItsConnection) {
  auto fetch_many = [this](const std::string& prefix) {
    for (int i = 0; i < 10; ++i) {
      EXPECT_TRUE(
          DownloadUrlToFile(server_.Url("/a.txt"), HostPath(target_, prefix + std::to_string(i))));
    }
  };
  std::thread first(fetch_many, "x");
  std::thread second(fetch_many, "y");
  first.join();
  second.join();
  EXPECT_EQ(server_.requests(), 20);
  EXPECT_EQ(server_.connections(), 2);
  EXPECT_EQ(target_.CountEntries(), 20);
}

TEST_F(UrlDownloadTest, GbkTargetPathIsWrittenUnderItsUtf8Name) {
  const std::string host = HostPath(target_, platform::Utf8ToGbk("字.txt"));
  EXPECT_TRUE(downloader_.Download(server_.Url("/a.txt"), host));
  EXPECT_EQ(target_.Read("字.txt"), "content of a");
}

TEST_F(UrlDownloadTest, NameNearTheFileSystemLimitIsWritten) {
  // 80 GBK characters: 160 bytes on the host side, 240 bytes as a UTF-8 name.
  std::string name;
  for (int i = 0; i < 80; ++i) name += platform::Utf8ToGbk("字");
  EXPECT_TRUE(downloader_.Download(server_.Url("/a.txt"), HostPath(target_, name)));
  EXPECT_EQ(target_.CountEntries(), 1);
}

TEST_F(UrlDownloadTest, RefusesOverlongUrlsAndPaths) {
  const std::string long_url = server_.Url("/a.txt?" + std::string(260, 'q'));
  EXPECT_FALSE(downloader_.Download(long_url, HostPath(target_, "a.txt")));
  EXPECT_FALSE(downloader_.DownloadBeside(long_url, HostPath(target_, "a.txt")));
  EXPECT_FALSE(
      downloader_.Download(server_.Url("/a.txt"), HostPath(target_, std::string(260, 'n'))));
  EXPECT_EQ(server_.requests(), 0);
}

TEST_F(UrlDownloadTest, MissingTargetFolderFails) {
  EXPECT_FALSE(downloader_.Download(server_.Url("/a.txt"), HostPath(target_, "no\\such\\a.txt")));
}

TEST(UrlDownload, RefusedConnectionFails) {
  TempFolder target;
  TestHttpServer server;
  server.Start();
  const std::string url = server.Url("/a.txt");
  server.Stop();
  UrlDownloader downloader;
  EXPECT_FALSE(downloader.Download(url, HostPath(target, "a.txt")));
  EXPECT_EQ(target.CountEntries(), 0);
}

// Seconds until a download from `url` failed.
double SecondsToFail(const std::string& url, const TempFolder& target,
                     const DownloadOptions& options = ReplyOptions()) {
  UrlDownloader downloader;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(downloader.Download(url, HostPath(target, "a.txt"), options));
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double SecondsToFail(StallingServer& server, const TempFolder& target) {
  return SecondsToFail(server.Url("/a.txt"), target);
}

TEST(UrlDownload, SilentServerFailsAfterStallTime) {
  TempFolder target;
  StallingServer server;
  const double seconds = SecondsToFail(server, target);
  EXPECT_GE(seconds, 1.5);
  EXPECT_LT(seconds, 8.0);
  EXPECT_EQ(target.CountEntries(), 0);
}

TEST(UrlDownload, TrickleFailsWithinTheReplyDeadlineWhateverItAnnounces) {
  TempFolder target;
  StallingServer server("HTTP/1.1 200 OK\r\nContent-Length: 1000000\r\n\r\n", true);
  EXPECT_LT(SecondsToFail(server, target), 8.0);
  EXPECT_EQ(target.CountEntries(), 0);
}

TEST(UrlDownload, ReplyThatStopsHalfwayFailsAndLeavesNoFile) {
  TempFolder target;
  StallingServer server("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\npartial body");
  target.Write("a.txt", "previous");
  // The transfer rate is averaged over the last few seconds, so the early
  // bytes delay the verdict by up to about five seconds.
  const double seconds = SecondsToFail(server, target);
  EXPECT_LT(seconds, 15.0);
  EXPECT_EQ(target.Read("a.txt"), "previous");
  EXPECT_EQ(target.CountEntries(), 1);
}

// Replies that never end: whatever they announce and however fast they come,
// a download ends within its limits and leaves nothing on disk.
constexpr const char* kUnannounced = "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n";

TEST(UrlDownload, AnEndlessManifestEndsAtItsFixedDeadline) {
  TempFolder target;
  EndlessServer server(kUnannounced, 64 * 1024);  // far above the low-speed limit
  const double seconds = SecondsToFail(server.Url("/v2.php"), target);
  EXPECT_GE(seconds, 3.5);
  EXPECT_LT(seconds, 6.0);  // the deadline of a reply: 4 s
  EXPECT_EQ(target.CountEntries(), 0);
}

TEST(UrlDownload, AnEndlessBodyStopsAtTheLargestAccepted) {
  TempFolder target;
  EndlessServer server(kUnannounced, EndlessServer::kFullSpeed);
  EXPECT_LT(SecondsToFail(server.Url("/v2.php"), target), 3.0);
  EXPECT_LT(server.sent(), std::size_t{64} << 20);  // 4 MiB taken, the rest in socket buffers
  EXPECT_EQ(target.CountEntries(), 0);
}

TEST(UrlDownload, AFileAnnouncingATerabyteIsRefusedBeforeItsBody) {
  TempFolder target;
  EndlessServer server("HTTP/1.1 200 OK\r\nContent-Length: 1099511627776\r\n\r\n", 64 * 1024);
  EXPECT_LT(SecondsToFail(server.Url("/v2/Vanto.swf"), target, DownloadOptions{}), 2.0);
  EXPECT_EQ(target.CountEntries(), 0);
}

// The file limits with a shorter deadline: the stream cannot extend it.
TEST(UrlDownload, AnEndlessFileEndsAtItsFixedDeadline) {
  TempFolder target;
  EndlessServer server(kUnannounced, 64 * 1024);
  DownloadOptions options;
  options.limits.deadline_seconds = 2;
  const double seconds = SecondsToFail(server.Url("/v2/Vanto.swf"), target, options);
  EXPECT_GE(seconds, 1.5);
  EXPECT_LT(seconds, 4.0);
  EXPECT_EQ(target.CountEntries(), 0);
}

}  // namespace
}  // namespace vanto::delivery
