// Recording stand-ins for the screen of the main window, and a working
// folder with a small course, for tests of the host's logic.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "delivery/headless_event_loop.h"
#include "platform/message_box.h"
#include "shell/front_end/host_services.h"
#include "shell/manifest_fetcher.h"
#include "shell/front_end/movie_control.h"
#include "shell/front_end/window_actions.h"

namespace host_test {

struct Recorder {
  std::vector<std::string> calls;
  void Add(std::string call) { calls.push_back(std::move(call)); }
  bool Has(const std::string& call) const {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
  }
};

class FakeMovie : public MovieControl {
 public:
  explicit FakeMovie(Recorder& r) : r_(r) {}
  void SetMovie(const std::string& v) override { r_.Add("Movie " + v); }
  void SetLoop(bool l) override { r_.Add(l ? "Loop true" : "Loop false"); }
  void Play() override { r_.Add("Play"); }
  void Stop() override { r_.Add("Stop"); }
  void SetScaleMode(int m) override { r_.Add("ScaleMode " + std::to_string(m)); }
  void StopPlay() override { r_.Add("StopPlay"); }
  void LoadMovie(int layer, const std::string& path) override {
    std::string name = path.substr(path.rfind('\\') + 1);
    r_.Add("LoadMovie " + std::to_string(layer) + " " + name);
  }
  void SetVariable(const std::string& n, const std::string& v) override {
    r_.Add("SetVariable " + n + " " + v);
  }
  std::string CallFunction(const std::string& request) override {
    r_.Add("CallFunction " + request);
    return {};
  }
  void SetAllowFullScreen(const std::string& v) override { r_.Add("AllowFullScreen " + v); }

 private:
  Recorder& r_;
};

class FakeWindow : public WindowActions {
 public:
  explicit FakeWindow(Recorder& r) : r_(r) {}
  void ShowProgress(int range, int position, const std::string& text) override {
    r_.Add("Progress " + std::to_string(range) + " " + std::to_string(position) + " " + text);
  }
  void ShowMovieView() override { r_.Add("Window show movie"); }
  void EnterFullScreen() override { r_.Add("Window fullscreen on"); }
  void LeaveFullScreen() override { r_.Add("Window fullscreen off"); }
  void CoverClientArea() override { r_.Add("Window cover"); }
  void Hide() override { r_.Add("Window hide"); }
  void Minimise() override { r_.Add("Window minimise"); }
  void EndDialog(int result) override { r_.Add("Window end " + std::to_string(result)); }

 private:
  Recorder& r_;
};

class FakeBoxes : public vanto::platform::MessageBoxes {
 public:
  explicit FakeBoxes(Recorder& r) : r_(r) {}
  void Show(const std::string& caption, const std::string& text) override {
    r_.Add("MessageBox " + caption + " " + text);
  }
  void ShowFileError(const std::string& path, int) override { r_.Add("FileError " + path); }

 private:
  Recorder& r_;
};

// Records the queries; starts no worker.
class FakeFetcher : public ManifestFetcher {
 public:
  explicit FakeFetcher(Recorder& r) : r_(r) {}
  bool FetchManifest(const std::string& query, vanto::delivery::ProgressTarget*) override {
    r_.Add("Fetch " + query);
    return false;
  }
  bool WorkerRunning() const override { return false; }
  void WaitForWorker() override {}

 private:
  Recorder& r_;
};

// A recording screen wired into HostServices, with a headless event loop;
// the main window made from it fetches through a recording fetcher.
struct RecordingScreen {
  RecordingScreen() : movie(log), window(log), boxes(log) {
    services.movie = &movie;
    services.window = &window;
    services.boxes = &boxes;
    services.ui = &ui;
  }
  Recorder log;
  FakeMovie movie;
  FakeWindow window;
  FakeBoxes boxes;
  vanto::delivery::HeadlessEventLoop ui;
  HostServices services;
};

// A fresh folder made current for the test, restored afterwards.
class WorkFolder {
 public:
  WorkFolder() : old_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "vanto-host-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
    std::filesystem::current_path(path_);
  }
  ~WorkFolder() {
    std::filesystem::current_path(old_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path old_;
  std::filesystem::path path_;
};

inline void WriteFile(const std::string& name, const std::string& bytes) {
  std::filesystem::path p(name);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
  std::ofstream(name, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A course list of `count` lines (character, pinyin, word, sentence).
inline std::string CourseList(int count) {
  static const char* kChars[] = {"一", "二", "三", "人", "大", "小",
                                 "上", "下", "山", "水", "日", "月"};
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += std::string(kChars[i % 12]) + "\tpy" + std::to_string(i) + "\tw" + std::to_string(i) +
            "\ts" + std::to_string(i) + "\r\n";
  }
  return text;
}

}  // namespace host_test
