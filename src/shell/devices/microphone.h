// The microphone level monitor: the movie opens the microphone with the
// command "microphone", the monitor records one take of three seconds, and
// when the take is complete (or closed early) it sends the movie one
// cbMicrophone report with the levels of the loud part.
//
// Open and close run on the user-interface thread. The report is built on
// the recording thread and handed to the user-interface thread through
// `post_to_ui`, which must queue the task and return without waiting for it
// (closing waits for the recording thread, which may be posting a report).
#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "shell/devices/wave_buffer.h"
#include "shell/devices/wave_input.h"
#include "shell/front_end/movie_control.h"

// The capture device the monitor records from unless told otherwise.
inline constexpr const char* kDefaultCaptureDevice = "default";

struct MicrophoneRecord {
  MovieControl* movie = nullptr;         // target of the report
  std::unique_ptr<WaveInDevice> device;  // open device, null when closed
  WaveHeader header;                     // the one recording buffer
  WaveFormat format;                     // filled at open
};

class MicrophoneMonitor {
 public:
  using PostToUi = std::function<void(std::function<void()>)>;

  // `failure_output` receives the line written when stopping fails.
  MicrophoneMonitor(MovieControl* movie, PostToUi post_to_ui,
                    std::string device_name = kDefaultCaptureDevice,
                    std::FILE* failure_output = stdout);
  ~MicrophoneMonitor();
  MicrophoneMonitor(const MicrophoneMonitor&) = delete;
  MicrophoneMonitor& operator=(const MicrophoneMonitor&) = delete;

  // "open" or "close", compared exactly ignoring case; anything else does
  // nothing. "open" on an open device closes it first and does nothing more
  // when that fails.
  void HandleMicrophoneCommand(std::string_view argument);

  // Opens the device, queues the take's buffer and starts recording; false
  // when there is no usable device, the device is already open, or
  // recording did not start.
  bool OpenMicrophone();

  // Stops recording, releases the buffer and closes the device; false (the
  // device kept) when closing fails or nothing was open.
  bool CloseMicrophone();

  const MicrophoneRecord& record() const { return record_; }

 private:
  void QueueBuffer();
  void ReleaseBuffer();
  void OnDataReady(WaveHeader* header);  // recording thread

  MicrophoneRecord record_;
  PostToUi post_to_ui_;
  std::string device_name_;
  std::FILE* failure_output_;
};
