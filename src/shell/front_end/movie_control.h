// The operations the host uses on the control that plays the course movie.
// Strings are in the host's code page (936); the control converts them at
// its own boundary. The windowed program implements this with its movie
// view, headless mode prints each call, tests record them.
#pragma once

#include <string>

class MovieControl {
 public:
  virtual ~MovieControl() = default;
  virtual void SetMovie(const std::string& value) = 0;  // "http://" unloads
  virtual void SetLoop(bool loop) = 0;
  virtual void Play() = 0;
  virtual void Stop() = 0;
  virtual void SetScaleMode(int mode) = 0;
  virtual void StopPlay() = 0;
  virtual void LoadMovie(int layer, const std::string& path) = 0;
  virtual void SetVariable(const std::string& name, const std::string& value) = 0;
  virtual std::string CallFunction(const std::string& request) = 0;
  virtual void SetAllowFullScreen(const std::string& value) = 0;
};
