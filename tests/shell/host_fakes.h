// Recording stand-ins for the screen of the main window, and a working
// folder with a small course, for tests of the host's logic.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "call_log.h"
#include "delivery/headless_event_loop.h"
#include "files.h"
#include "platform/message_box.h"
#include "recording_movie.h"
#include "shell/front_end/host_services.h"
#include "shell/front_end/window_actions.h"
#include "shell/manifest_fetcher.h"
#include "temp_folder.h"

namespace host_test {

using vanto::testing::CallLog;
using vanto::testing::ReadFile;
using vanto::testing::RecordingMovie;
using vanto::testing::WorkingFolder;
using vanto::testing::WriteFile;

class FakeWindow : public WindowActions {
 public:
  explicit FakeWindow(CallLog& r) : r_(r) {}
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
  CallLog& r_;
};

class FakeBoxes : public vanto::platform::MessageBoxes {
 public:
  explicit FakeBoxes(CallLog& r) : r_(r) {}
  void Show(const std::string& caption, const std::string& text) override {
    r_.Add("MessageBox " + caption + " " + text);
  }
  void ShowFileError(const std::string& path, int) override { r_.Add("FileError " + path); }

 private:
  CallLog& r_;
};

// Records the queries; starts no worker.
class FakeFetcher : public ManifestFetcher {
 public:
  explicit FakeFetcher(CallLog& r) : r_(r) {}
  bool FetchManifest(const std::string& query, vanto::delivery::ProgressTarget*) override {
    r_.Add("Fetch " + query);
    return false;
  }
  bool WorkerRunning() const override { return false; }
  void WaitForWorker() override {}

 private:
  CallLog& r_;
};

// A recording screen (movie, window, message boxes, all in one log) wired into HostServices, with a
// headless event loop; the main window made from it fetches through a recording fetcher.
struct RecordingScreen {
  RecordingScreen() : movie(log), window(log), boxes(log) {
    services.movie = &movie;
    services.window = &window;
    services.boxes = &boxes;
    services.ui = &ui;
  }
  CallLog log;
  RecordingMovie movie;
  FakeWindow window;
  FakeBoxes boxes;
  vanto::delivery::HeadlessEventLoop ui;
  HostServices services;
};

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
