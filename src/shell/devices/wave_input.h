// A wave-input device: records from a capture device into queued buffers on
// its own thread, as the platform's wave-input service does.
//
// Buffers are filled in queue order. When a buffer is full, or when Stop ends
// recording part way through it, the header is marked done (bytes_recorded
// holds what was recorded) and the data-ready callback runs with it, on the
// recording thread. Stop and Close wait for that thread, so once they have
// returned no callback is running or will run, and the buffers may be freed.
//
// On Linux the device is an ALSA capture PCM ("default" unless told
// otherwise).
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "shell/devices/wave_buffer.h"

typedef struct _snd_pcm snd_pcm_t;

class WaveInDevice {
 public:
  using DataReady = std::function<void(WaveHeader* header)>;

  // Opens the capture device for `format`. Nothing when there is no such
  // device, it cannot record in that format, or it cannot be opened.
  static std::unique_ptr<WaveInDevice> Open(const std::string& device_name,
                                            const WaveFormat& format, DataReady on_data);
  ~WaveInDevice();
  WaveInDevice(const WaveInDevice&) = delete;
  WaveInDevice& operator=(const WaveInDevice&) = delete;

  // Each returns kWaveNoError or a failure code (wave_buffer.h).
  int PrepareHeader(WaveHeader* header);
  int UnprepareHeader(WaveHeader* header);
  int AddBuffer(WaveHeader* header);
  int Start();
  int Stop();
  int Close();

 private:
  WaveInDevice(snd_pcm_t* pcm, unsigned frame_bytes, DataReady on_data);
  void Record();
  bool FillBuffer(WaveHeader* header);
  void FinishBuffer(WaveHeader* header);
  bool StopRequested();

  snd_pcm_t* pcm_;
  unsigned frame_bytes_;
  DataReady on_data_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<WaveHeader*> queue_;  // guarded by mutex_
  bool stop_requested_ = false;    // guarded by mutex_
  std::thread recorder_;
};
