// The course host as a user runs it, headless, against the reference
// service serving the demo course: start-up download, the movie's commands,
// account requests, a chapter change, the exit popup's download, and the
// single-instance rule.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

#include "child_process.h"
#include "files.h"
#include "loopback.h"
#include "temp_folder.h"

namespace fs = std::filesystem;
using namespace vanto::testing;

namespace {

// A native absolute path as the host writes it: backslashes.
std::string HostPath(const fs::path& path) {
  std::string text = path.string();
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
  return text;
}

// A service that takes connections and never answers: the kernel completes
// them (up to the backlog), nobody reads the requests.
class SilentService {
 public:
  SilentService() : fd_(ListenOnLoopback(64, &port_)) {}
  ~SilentService() { ::close(fd_); }
  std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }

 private:
  int port_ = 0;  // set by the socket's initialiser, so declared first
  int fd_ = -1;
};

// A content service whose manifest lists "Vanto.swf" and whose file then
// comes slowly (64 KiB every 0.1 s of a promised 10 MB), so that a test can
// stop the host in the middle of it.
class SlowFileService {
 public:
  SlowFileService() : fd_(ListenOnLoopback(16, &port_)) {
    thread_ = std::thread([this] { Accept(); });
  }
  ~SlowFileService() {
    stop_ = true;
    thread_.join();
    for (std::thread& reply : replies_) reply.join();
    ::close(fd_);
  }
  std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }

 private:
  void Accept() {
    while (!stop_) {
      pollfd waiting{fd_, POLLIN, 0};
      if (::poll(&waiting, 1, 50) <= 0) continue;
      const int client = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
      if (client >= 0) replies_.emplace_back([this, client] { Reply(client); });
    }
  }
  void Reply(int client) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
      const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      request.append(buffer, static_cast<std::size_t>(n));
    }
    if (request.starts_with("GET /v2.php")) {
      const std::string manifest =
          "Vanto.swf\t2012-06-10 08:30:00|0123456789abcdef0123456789abcdef\r\n";
      Send(client, "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: " +
                       std::to_string(manifest.size()) + "\r\n\r\n" + manifest);
    } else {
      Send(client, "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: 10000000\r\n\r\n");
      const std::string piece(64 * 1024, 'm');
      while (!stop_ && Send(client, piece)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
      }
    }
    ::close(client);
  }
  static bool Send(int client, const std::string& bytes) {
    return ::send(client, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(bytes.size());
  }

  int port_ = 0;  // set by the socket's initialiser, so declared first
  int fd_ = -1;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  std::vector<std::thread> replies_;
};

// Files in `folder` whose name starts with the download's temporary prefix.
std::vector<fs::path> PartFiles(const fs::path& folder) {
  std::vector<fs::path> parts;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().string().starts_with(".vanto-part-")) parts.push_back(entry.path());
  }
  return parts;
}

bool HasLine(const std::string& output, const std::string& line) {
  return ("\n" + output).find("\n" + line + "\n") != std::string::npos;
}

class ServiceFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!fs::exists(fs::path(VANTO_DEMO_COURSE) / "list.txt")) return;
    scratch_ = std::make_unique<TempFolder>("vanto-it");
    port_ = FreeLocalPort();
    ChildProcess adduser(VANTO_SERVICE_PROGRAM,
                         {"adduser", "mama", "s3cret", "--uid", "77", "--db",
                          (scratch_->path() / "accounts.db").string()},
                         scratch_->path().string(), true);
    adduser.CloseInput();
    adduser.Finish(60, nullptr);
    service_ = new ChildProcess(VANTO_SERVICE_PROGRAM,
                                {"--port", std::to_string(port_), "--root", VANTO_DEMO_COURSE,
                                 "--db", (scratch_->path() / "accounts.db").string(), "--quiet"},
                                scratch_->path().string());
    for (int i = 0; i < 100 && !Reachable(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  static void TearDownTestSuite() {
    delete service_;
    service_ = nullptr;
    scratch_.reset();
  }
  static bool Reachable() {
    std::string out;
    ChildProcess probe("/usr/bin/curl", {"-sf", "-o", "/dev/null", Base() + "/popup.htm"}, "/",
                       true);
    probe.CloseInput();
    return probe.Finish(10, &out) == 0;
  }
  static std::string Base() { return "http://127.0.0.1:" + std::to_string(port_); }

  void SetUp() override {
    if (!service_) GTEST_SKIP() << "the demo course is not generated (run scripts/setup.sh)";
    program_ = scratch_->path() / ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::create_directories(program_);
    // An installation ships the program and the course list; the rest comes
    // from the service.
    fs::copy_file(VANTO_PROGRAM, program_ / "Vanto");
    fs::copy_file(VANTO_PUZZLE_PLUGIN, program_ / fs::path(VANTO_PUZZLE_PLUGIN).filename());
    fs::copy_file(fs::path(VANTO_DEMO_COURSE) / "list.txt", program_ / "list.txt");
    WriteHosts(Base());
    ::setenv("XDG_RUNTIME_DIR", program_.c_str(), 1);  // the instance lock of this test
  }

  void WriteHosts(const std::string& base) {
    std::ofstream ini(program_ / "service.ini");
    ini << "[hosts]\n";
    for (const char* key : {"mirror0", "mirror1", "mirror2", "mirror3", "account", "site"}) {
      ini << key << "=" << base << "\n";
    }
  }

  // Runs the host with `commands` on its standard input; returns its output.
  std::string RunHost(const std::string& commands, int* exit_code = nullptr) {
    ChildProcess host((program_ / "Vanto").string(), {"--headless"}, program_.string(), true);
    host.Send(commands);
    host.CloseInput();
    std::string output;
    int code = host.Finish(240, &output);
    if (exit_code) *exit_code = code;
    return output;
  }

  static inline std::unique_ptr<TempFolder> scratch_;
  static inline int port_ = 0;
  static inline ChildProcess* service_ = nullptr;
  fs::path program_;
};

}  // namespace

TEST_F(ServiceFixture, FirstStartDownloadsTheDayAndRunsCommands) {
  int code = -1;
  std::string out = RunHost(
      "Chapters\tbegin\n"
      "user\t123+45\n"
      "addMofa\t1\n"
      "endMofa\n"
      "quit\n",
      &code);
  EXPECT_EQ(code, 0) << out;
  EXPECT_TRUE(fs::exists(program_ / "ss" / "0.mp3"));
  // One range notice for the start-up manifest; the movie window replaces
  // the loading view with its first load.
  EXPECT_EQ(out.find("Notice\tmain\t561\t"), out.rfind("Notice\tmain\t561\t")) << out;
  EXPECT_NE(out.find("Play\nWindow\tfullscreen off\n"), std::string::npos) << out;
  EXPECT_TRUE(HasLine(out, "Window\tshow movie")) << out;
  EXPECT_TRUE(HasLine(out, "SetVariable\tchapter\t0")) << out;
  EXPECT_TRUE(HasLine(out,
                      "CallFunction\t<invoke "
                      "name=\"cbChapter\"><arguments><string>0</string></arguments></invoke>"));
  EXPECT_TRUE(HasLine(out, "Movie\thttp://"));  // "quit" reloads the movie
  EXPECT_TRUE(HasLine(out, "Window\tpopup navigate " + Base() + "/popup.php?uid=123&day=0"));
  EXPECT_TRUE(HasLine(out, "Window\tend 0"));
  // The account service now holds the card.
  EXPECT_NE(ReadFile(program_ / "Vanto.inf").find("count=0,0,1,"), std::string::npos);
  // Documents for the movie and the saved progress.
  EXPECT_TRUE(fs::exists(program_ / "main.xml"));
  EXPECT_TRUE(fs::exists(program_ / "list.dat"));
}

TEST_F(ServiceFixture, ParentLoginAndChapterChangeReachTheService) {
  RunHost("kid\n");  // a first run fetches the course
  int code = -1;
  std::string out = RunHost("parent\tmama+s3cret\ncurrentChapter\t2\n", &code);
  EXPECT_EQ(code, 0) << out;
  EXPECT_FALSE(HasLine(out, "MessageBox\tError\tFailed to change chapter")) << out;
  EXPECT_FALSE(HasLine(out, "MessageBox\terror\tParent login failed")) << out;
  std::string ini = ReadFile(program_ / "Vanto.ini");
  EXPECT_NE(ini.find("name=mama"), std::string::npos) << ini;
  EXPECT_NE(ini.find("chapter=2"), std::string::npos) << ini;
}

// Every row of the command table once, in one session, with its visible effect.
TEST_F(ServiceFixture, EveryCommandOfTheTableRunsEndToEnd) {
  int code = -1;
  std::string out = RunHost(
      "vanto\trestart\n"
      "kid\n"
      "vanto\trestart\n"
      "addMofa\t2\nsubMofa\t2\naddMofa\t3\nendMofa\n"
      "sz_t\t的\nsz_f\t我?是\n"
      "puzzle\tbegin\npuzzle\t2\npuzzle\texit\n"
      "mouse\tbegin\nZida\tbegin\nVize\tbegin\nTarqa\tbegin\n"
      "CookieUser\t5+6\n"
      "parentC\tbegin\nkid\n"
      "fuxi\t1\n"
      "parent\tmama+s3cret\n"
      "Chapters\tbegin\n"
      "newuser\t88+99\n"
      "ceping\tbegin\nceping\tend\n"
      "SKSZ\tbegin\nSKSZ\tend\n"
      "gushi\t0\n"
      "Synopsis\n"
      "microphone\topen\nmicrophone\tclose\n"
      "currentChapter\t1\n"
      "game\tbegin\ngame\tquit\n"
      "quit\n",
      &code);
  EXPECT_EQ(code, 0) << out;
  EXPECT_TRUE(HasLine(out, "Window\tfullscreen on")) << out;
  EXPECT_TRUE(HasLine(out, "Window\tfullscreen off")) << out;
  for (const char* reply : {"begin", "2", "exit"}) {
    EXPECT_TRUE(
        HasLine(out, std::string("CallFunction\t<invoke name=\"cbPuzzle\"><arguments><string>") +
                         reply + "</string></arguments></invoke>"))
        << reply << "\n"
        << out;
  }
  EXPECT_TRUE(fs::exists(program_ / "hlg" / "puzzle" / "0.png"));
  for (const char* game : {"hlg/mouse/config_mouse.xml", "hlg/Zida/game.xml", "hlg/Vize/game.xml",
                           "hlg/Tarqa/game.xml", "hlg/puzzle/hanzi.xml", "config_CSHZ.xml",
                           "stat.xml", "Chapter0.xml"}) {
    EXPECT_TRUE(fs::exists(program_ / game)) << game;
  }
  EXPECT_TRUE(fs::exists(program_ / "gs0" / "24.swf"));
  EXPECT_NE(out.find("\nSetVariable\tchapter\t"), std::string::npos) << out;
  EXPECT_TRUE(HasLine(out, "LoadMovie\t0\t" + HostPath(program_ / "flashGame.swf")));
  EXPECT_TRUE(HasLine(out, "LoadMovie\t0\t" + HostPath(program_ / "Kong.swf")));
  EXPECT_FALSE(HasLine(out, "MessageBox\tError\tFailed to change chapter")) << out;
  std::string ini = ReadFile(program_ / "Vanto.ini");
  EXPECT_NE(ini.find("chapter=1"), std::string::npos) << ini;
}

TEST_F(ServiceFixture, WithoutAServiceTheHostWaitsAndStillCloses) {
  WriteHosts("http://127.0.0.1:" + std::to_string(FreeLocalPort()));
  int code = -1;
  std::string out = RunHost("kid\n", &code);
  EXPECT_EQ(code, 0) << out;
  EXPECT_FALSE(HasLine(out, "Window\tshow movie")) << out;
  EXPECT_FALSE(HasLine(out, "Window\tfullscreen on")) << out;  // "kid" never ran
  EXPECT_TRUE(HasLine(out, "Window\tpopup end 0")) << out;
}

// Start-up check and exit popup each give up on a stalled service within
// their deadlines (nine manifest tries), so the host still ends.
TEST_F(ServiceFixture, AStalledServiceDelaysButNeverHoldsTheHost) {
  SilentService silent;
  WriteHosts(silent.Base());
  const auto start = std::chrono::steady_clock::now();
  int code = -1;
  std::string out = RunHost("kid\n", &code);
  const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
  EXPECT_EQ(code, 0) << out;
  EXPECT_TRUE(HasLine(out, "Window\tpopup end 0")) << out;
  EXPECT_LT(seconds.count(), 120.0);
}

// A kill in the middle of a download leaves the file's path as it was; the
// next start removes what the killed run left.
TEST_F(ServiceFixture, AKillDuringADownloadLeavesNothingInPlace) {
  SlowFileService slow;
  WriteHosts(slow.Base());
  {
    ChildProcess host((program_ / "Vanto").string(), {"--headless"}, program_.string(), true);
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (;;) {
      const std::vector<fs::path> parts = PartFiles(program_);
      // A part file may be renamed away between the listing and the size.
      std::error_code gone;
      if (!parts.empty() && fs::file_size(parts[0], gone) >= 256 * 1024 && !gone) break;
      ASSERT_LT(std::chrono::steady_clock::now(), give_up) << "the download never began";
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    host.Kill();
  }
  EXPECT_FALSE(fs::exists(program_ / "Vanto.swf"));
  EXPECT_EQ(PartFiles(program_).size(), 1u);
  WriteHosts("http://127.0.0.1:" + std::to_string(FreeLocalPort()));
  RunHost("");
  EXPECT_TRUE(PartFiles(program_).empty());
  EXPECT_FALSE(fs::exists(program_ / "Vanto.swf"));
}

TEST_F(ServiceFixture, ASecondInstanceIsRefused) {
  WriteHosts("http://127.0.0.1:" + std::to_string(FreeLocalPort()));
  ChildProcess first((program_ / "Vanto").string(), {"--headless"}, program_.string(), true);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  int code = -1;
  std::string out = RunHost("", &code);
  EXPECT_EQ(code, 1);
  EXPECT_TRUE(HasLine(out, "MessageBox\tVantoPelko\t已经有一个运行的“VantoPelko”程序了。")) << out;
  first.CloseInput();
  EXPECT_EQ(first.Finish(60, nullptr), 0);
}
