// The course window end to end, on a virtual display, against the reference
// service: loading view, the scripted test movie's commands and call-backs,
// the movie swap, full screen on and off, and the close sequence. Screenshots
// land in the build folder (window-*.png).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <thread>

#include "files.h"
#include "loopback.h"
#include "temp_folder.h"
#include "virtual_display.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace vanto::testing;

namespace {

// Starts `argv` with standard error (and output) into `log`; returns its pid.
pid_t Spawn(const std::vector<std::string>& argv, const fs::path& folder, const fs::path& log,
            const std::vector<std::string>& environment = {}) {
  pid_t pid = ::fork();
  if (pid == 0) {
    if (::chdir(folder.c_str()) != 0) ::_exit(127);
    FILE* out = std::fopen(log.c_str(), "w");
    if (out) {
      ::dup2(fileno(out), 1);
      ::dup2(fileno(out), 2);
    }
    for (const std::string& entry : environment) ::putenv(const_cast<char*>(entry.c_str()));
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  return pid;
}

int WaitExit(pid_t pid, std::chrono::seconds limit) {
  auto end = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (std::chrono::steady_clock::now() < end) {
    if (::waitpid(pid, &status, WNOHANG) == pid)
      return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
    std::this_thread::sleep_for(100ms);
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, &status, 0);
  return -1;
}

// An account service that takes its time and then hangs up: the movie's
// login command is handled slowly, and fails quietly.
class SlowAccountService {
 public:
  explicit SlowAccountService(std::chrono::milliseconds delay)
      : listener_(ListenOnLoopback(8, &port_)) {
    thread_ = std::thread([this, delay] {
      int client;
      while ((client = ::accept(listener_, nullptr, nullptr)) >= 0) {
        std::this_thread::sleep_for(delay);
        ::close(client);
      }
    });
  }
  ~SlowAccountService() {
    ::shutdown(listener_, SHUT_RDWR);
    ::close(listener_);
    thread_.join();
  }
  int port() const { return port_; }

 private:
  int port_ = 0;  // set by the listener's initialiser, so declared first
  int listener_ = -1;
  std::thread thread_;
};

class CourseWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(fs::path(VANTO_DEMO_COURSE) / "list.txt")) {
      GTEST_SKIP() << "the demo course is not generated (run scripts/setup.sh)";
    }
    if (display_.name().empty()) GTEST_SKIP() << "Xvfb is not available";
    MakeCourse();
    MakeInstallation();
  }
  void TearDown() override {
    if (service_ > 0) {
      ::kill(service_, SIGTERM);
      ::waitpid(service_, nullptr, 0);
    }
    if (HasFailure()) scratch_.Keep();
  }

  // The demo course with the test movie as the main and the game movie.
  void MakeCourse() {
    fs::path course = scratch_.path() / "course";
    fs::copy(VANTO_DEMO_COURSE, course, fs::copy_options::recursive);
    for (const char* name : {"Vanto.swf", "flashGame.swf"}) {
      fs::copy_file(VANTO_TEST_MOVIE, course / name, fs::copy_options::overwrite_existing);
    }
    port_ = FreeLocalPort();
    service_ =
        Spawn({VANTO_SERVICE_PROGRAM, "--port", std::to_string(port_), "--root", course.string(),
               "--db", (scratch_.path() / "accounts.db").string(), "--quiet"},
              scratch_.path(), scratch_.path() / "service.log");
  }

  void MakeInstallation() {
    program_ = scratch_.path() / "VantoPelko";
    fs::create_directories(program_);
    fs::copy_file(VANTO_PROGRAM, program_ / "Vanto");
    fs::copy(fs::path(VANTO_PROGRAM).parent_path() / "player", program_ / "player",
             fs::copy_options::recursive);
    fs::copy_file(fs::path(VANTO_DEMO_COURSE) / "list.txt", program_ / "list.txt");
    std::string base = "http://127.0.0.1:" + std::to_string(port_);
    std::ofstream ini(program_ / "service.ini");
    ini << "[hosts]\nmirror0=" << base << "\nmirror1=" << base << "\nmirror2=" << base
        << "\nmirror3=" << base << "\nsite=" << base
        << "\naccount=http://127.0.0.1:" << account_.port() << "\n";
  }

  // Waits until the trace holds a line matching `pattern`; returns it.
  std::string WaitForLine(const std::string& pattern, std::chrono::seconds limit = 60s) {
    std::regex wanted("(^|\n)(" + pattern + ")\n");
    auto end = std::chrono::steady_clock::now() + limit;
    std::smatch match;
    while (std::chrono::steady_clock::now() < end) {
      std::string trace = ReadFile(scratch_.path() / "trace.log");
      if (std::regex_search(trace, match, wanted)) return match[2];
      std::this_thread::sleep_for(50ms);
    }
    ADD_FAILURE() << "no line like \"" << pattern << "\" in:\n"
                  << ReadFile(scratch_.path() / "trace.log");
    return {};
  }

  VirtualDisplay display_;
  SlowAccountService account_{700ms};
  TempFolder scratch_{"vanto-window"};
  fs::path program_;
  int port_ = 0;
  pid_t service_ = -1;
};

}  // namespace

TEST_F(CourseWindow, PlaysTheCourseMovieAndClosesAfterTheDownload) {
  std::this_thread::sleep_for(300ms);  // the service starts listening
  pid_t host = Spawn(
      {(program_ / "Vanto").string()}, program_, scratch_.path() / "trace.log",
      {"DISPLAY=" + display_.name(), "VANTO_TRACE=1", "XDG_RUNTIME_DIR=" + program_.string()});
  WaitForLine("Window\tprogress [1-9][0-9]*/[0-9]+");
  EXPECT_TRUE(display_.Screenshot(fs::path(VANTO_SHOTS) / "window-loading.png"));

  WaitForLine("FSCommand\treport\tmain movie started");
  // The login waits for the slow account service, and the movie with it.
  std::string login = WaitForLine("FSCommand\treport\tuser took [0-9]+ ms");
  EXPECT_GE(std::stoi(login.substr(login.rfind('\t') + 10)), 650) << login;
  // Call-backs made while a command is handled arrive right after it.
  WaitForLine("FSCommand\treport\tvariable chapter=0");
  WaitForLine("FSCommand\treport\tcbChapter 0");
  WaitForLine("FSCommand\tkid\t");
  WaitForLine("Page\tsize 12[0-9][0-9]x[78][0-9][0-9]");
  WaitForLine("FSCommand\tvanto\trestart");
  WaitForLine("FSCommand\tvanto\trestart\n(.*\n)*Page\tsize 960x600");
  WaitForLine("FSCommand\treport\tgame movie started");
  std::this_thread::sleep_for(1500ms);
  EXPECT_TRUE(display_.Screenshot(fs::path(VANTO_SHOTS) / "window-movie.png"));

  ::kill(host, SIGTERM);  // the close box
  // The notice window comes up at the bottom right while the next day
  // downloads; after its close button the program ends with the download.
  const std::string on_display = "DISPLAY=" + display_.name() + " ";
  bool notice_shown = false;
  for (int i = 0; i < 120 && !notice_shown; ++i) {
    notice_shown =
        std::system((on_display + "xdotool search --onlyvisible --name '^VantoPelko$' "
                                  "getwindowgeometry --shell 2>/dev/null | grep -q '^X=956'")
                        .c_str()) == 0;
    if (!notice_shown) std::this_thread::sleep_for(500ms);
  }
  EXPECT_TRUE(notice_shown);
  std::this_thread::sleep_for(1s);
  EXPECT_TRUE(display_.Screenshot(fs::path(VANTO_SHOTS) / "window-notice.png"));
  std::system((on_display + "xdotool mousemove 1256 450 click 1").c_str());
  EXPECT_EQ(WaitExit(host, 180s), 0) << ReadFile(scratch_.path() / "trace.log");
  std::string trace = ReadFile(scratch_.path() / "trace.log");
  EXPECT_NE(trace.find("Movie\t{\"op\":\"unload\"}"), std::string::npos);
}

// With the course already complete the movie is asked for before the player
// page and its engine are up: the load waits for them, and the movie plays.
TEST_F(CourseWindow, PlaysTheMovieAskedForWhileThePlayerStarts) {
  std::this_thread::sleep_for(300ms);  // the service starts listening
  fs::copy(scratch_.path() / "course", program_,
           fs::copy_options::recursive | fs::copy_options::skip_existing);
  pid_t host = Spawn(
      {(program_ / "Vanto").string()}, program_, scratch_.path() / "trace.log",
      {"DISPLAY=" + display_.name(), "VANTO_TRACE=1", "XDG_RUNTIME_DIR=" + program_.string()});
  WaitForLine("FSCommand\treport\tmain movie started");
  WaitForLine("Page\tframe vanto://app/course/Vanto.swf");
  std::string trace = ReadFile(scratch_.path() / "trace.log");
  std::size_t load = trace.find("\tLoadMovie vanto://app/course/Vanto.swf\n");
  std::size_t engine = trace.find("\tengine ready\n");
  ASSERT_NE(load, std::string::npos) << trace;
  ASSERT_NE(engine, std::string::npos) << trace;
  EXPECT_LT(load, engine) << "the movie came after the engine: nothing was tested";
  ::kill(host, SIGKILL);
  ::waitpid(host, nullptr, 0);
}
