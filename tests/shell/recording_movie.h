// A movie control that records the call-back requests it receives (from any
// thread).
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "shell/front_end/movie_control.h"

class RecordingMovie : public MovieControl {
 public:
  void SetMovie(const std::string&) override {}
  void SetLoop(bool) override {}
  void Play() override {}
  void Stop() override {}
  void SetScaleMode(int) override {}
  void StopPlay() override {}
  void LoadMovie(int, const std::string&) override {}
  void SetVariable(const std::string&, const std::string&) override {}
  void SetAllowFullScreen(const std::string&) override {}
  std::string CallFunction(const std::string& request) override {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
    return "<string>ignored</string>";
  }

  std::vector<std::string> requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
};
