// A movie control that records every operation as one line ("Play",
// "LoadMovie 0 Vanto.swf", "CallFunction <request>", ...), into a log shared
// with other stand-ins or into its own. Calls may come from any thread.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "call_log.h"
#include "shell/front_end/movie_control.h"

namespace vanto::testing {

class RecordingMovie : public MovieControl {
 public:
  RecordingMovie() : log_(&own_log_) {}
  explicit RecordingMovie(CallLog& log) : log_(&log) {}

  void SetMovie(const std::string& v) override { Record("Movie " + v); }
  void SetLoop(bool l) override { Record(l ? "Loop true" : "Loop false"); }
  void Play() override { Record("Play"); }
  void Stop() override { Record("Stop"); }
  void SetScaleMode(int m) override { Record("ScaleMode " + std::to_string(m)); }
  void StopPlay() override { Record("StopPlay"); }
  // Only the file name of the host path.
  void LoadMovie(int layer, const std::string& path) override {
    Record("LoadMovie " + std::to_string(layer) + " " + path.substr(path.rfind('\\') + 1));
  }
  void SetVariable(const std::string& n, const std::string& v) override {
    Record("SetVariable " + n + " " + v);
  }
  std::string CallFunction(const std::string& request) override {
    Record(kCall + request);
    return {};
  }
  void SetAllowFullScreen(const std::string& v) override { Record("AllowFullScreen " + v); }

  // The call-back requests received, in order.
  std::vector<std::string> requests() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> requests;
    for (const std::string& call : log_->calls) {
      if (call.starts_with(kCall)) requests.push_back(call.substr(kCall.size()));
    }
    return requests;
  }

 private:
  inline static const std::string kCall = "CallFunction ";

  void Record(std::string call) {
    std::lock_guard lock(mutex_);
    log_->Add(std::move(call));
  }

  mutable std::mutex mutex_;
  CallLog own_log_;
  CallLog* log_;
};

}  // namespace vanto::testing
