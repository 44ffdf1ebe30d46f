#include <alsa/asoundlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "shell/devices/wave_input.h"

namespace {

// Longest wait for data before the recording thread looks at the stop
// request again.
constexpr int kPollMilliseconds = 50;
// Latency asked of the device.
constexpr unsigned kLatencyMicroseconds = 250000;

bool ToAlsaFormat(const WaveFormat& format, snd_pcm_format_t* out) {
  if (format.format_tag != kWaveFormatPcm || format.channels == 0 || format.samples_per_second == 0)
    return false;
  switch (format.bits_per_sample) {
    case 8:
      *out = SND_PCM_FORMAT_U8;
      return true;
    case 16:
      *out = SND_PCM_FORMAT_S16_LE;
      return true;
    default:
      return false;
  }
}

}  // namespace

std::unique_ptr<WaveInDevice> WaveInDevice::Open(const std::string& device_name,
                                                 const WaveFormat& format, DataReady on_data) {
  snd_pcm_format_t alsa_format;
  if (!ToAlsaFormat(format, &alsa_format)) return nullptr;
  snd_pcm_t* pcm = nullptr;
  if (snd_pcm_open(&pcm, device_name.c_str(), SND_PCM_STREAM_CAPTURE, SND_PCM_NONBLOCK) < 0)
    return nullptr;
  // The plug layer converts from what the hardware offers; without exactly
  // this format, rate and channel count the device is of no use.
  if (snd_pcm_set_params(pcm, alsa_format, SND_PCM_ACCESS_RW_INTERLEAVED, format.channels,
                         format.samples_per_second, 1, kLatencyMicroseconds) < 0) {
    snd_pcm_close(pcm);
    return nullptr;
  }
  const unsigned frame_bytes = format.channels * (format.bits_per_sample / 8);
  return std::unique_ptr<WaveInDevice>(new WaveInDevice(pcm, frame_bytes, std::move(on_data)));
}

WaveInDevice::WaveInDevice(snd_pcm_t* pcm, unsigned frame_bytes, DataReady on_data)
    : pcm_(pcm), frame_bytes_(frame_bytes), on_data_(std::move(on_data)) {}

WaveInDevice::~WaveInDevice() {
  Close();
}

int WaveInDevice::PrepareHeader(WaveHeader* header) {
  if (!pcm_) return kWaveInvalidHandle;
  if (!header || !header->data) return kWaveInvalidParameter;
  header->flags |= kWaveHeaderPrepared;
  return kWaveNoError;
}

int WaveInDevice::UnprepareHeader(WaveHeader* header) {
  if (!pcm_) return kWaveInvalidHandle;
  if (!header) return kWaveInvalidParameter;
  std::lock_guard lock(mutex_);
  if (header->flags & kWaveHeaderInQueue) return kWaveStillRecording;
  header->flags &= ~kWaveHeaderPrepared;
  return kWaveNoError;
}

int WaveInDevice::AddBuffer(WaveHeader* header) {
  if (!pcm_) return kWaveInvalidHandle;
  if (!header || !header->data) return kWaveInvalidParameter;
  if (!(header->flags & kWaveHeaderPrepared)) return kWaveUnprepared;
  std::lock_guard lock(mutex_);
  header->flags = (header->flags & ~kWaveHeaderDone) | kWaveHeaderInQueue;
  header->bytes_recorded = 0;
  queue_.push_back(header);
  wake_.notify_all();
  return kWaveNoError;
}

int WaveInDevice::Start() {
  if (!pcm_) return kWaveInvalidHandle;
  if (recorder_.joinable()) return kWaveNoError;
  {
    std::lock_guard lock(mutex_);
    stop_requested_ = false;
  }
  const int result = snd_pcm_start(pcm_);
  if (result < 0) return result;
  recorder_ = std::thread([this] { Record(); });
  return kWaveNoError;
}

int WaveInDevice::Stop() {
  if (!pcm_) return kWaveInvalidHandle;
  {
    std::lock_guard lock(mutex_);
    stop_requested_ = true;
  }
  wake_.notify_all();
  // The recording thread finishes the current buffer and runs its callback
  // before it ends; only then may the caller touch the buffer again.
  if (recorder_.joinable()) recorder_.join();
  const int result = snd_pcm_drop(pcm_);
  if (result < 0) return result;
  snd_pcm_prepare(pcm_);  // ready for a later Start
  return kWaveNoError;
}

int WaveInDevice::Close() {
  if (!pcm_) return kWaveNoError;
  {
    std::lock_guard lock(mutex_);
    stop_requested_ = true;
  }
  wake_.notify_all();
  if (recorder_.joinable()) recorder_.join();
  // ALSA releases the handle even when closing reports an error, so the
  // device is gone either way.
  const int result = snd_pcm_close(pcm_);
  pcm_ = nullptr;
  return result < 0 ? result : kWaveNoError;
}

bool WaveInDevice::StopRequested() {
  std::lock_guard lock(mutex_);
  return stop_requested_;
}

void WaveInDevice::Record() {
  for (;;) {
    WaveHeader* header = nullptr;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stop_requested_ || !queue_.empty(); });
      if (queue_.empty()) return;
      header = queue_.front();
    }
    const bool stopped = FillBuffer(header);
    FinishBuffer(header);
    if (stopped) return;
  }
}

// Reads into the buffer until it is full or a stop is requested; true when
// the recording was stopped.
bool WaveInDevice::FillBuffer(WaveHeader* header) {
  snd_pcm_uframes_t buffer_frames = 0, period_frames = 0;
  snd_pcm_get_params(pcm_, &buffer_frames, &period_frames);
  if (period_frames == 0) period_frames = 256;
  const std::uint32_t capacity = header->buffer_length - header->buffer_length % frame_bytes_;
  while (header->bytes_recorded < capacity) {
    if (StopRequested()) return true;
    const snd_pcm_uframes_t wanted = std::min<snd_pcm_uframes_t>(
        period_frames, (capacity - header->bytes_recorded) / frame_bytes_);
    const snd_pcm_sframes_t got =
        snd_pcm_readi(pcm_, header->data + header->bytes_recorded, wanted);
    if (got == -EAGAIN) {
      snd_pcm_wait(pcm_, kPollMilliseconds);
    } else if (got < 0) {
      // An overrun or a suspended device is recovered and recording goes
      // on; a device that went away leaves the take open until Stop.
      if (snd_pcm_recover(pcm_, static_cast<int>(got), 1) < 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMilliseconds));
    } else {
      header->bytes_recorded += static_cast<std::uint32_t>(got) * frame_bytes_;
    }
  }
  return StopRequested();
}

void WaveInDevice::FinishBuffer(WaveHeader* header) {
  {
    std::lock_guard lock(mutex_);
    queue_.pop_front();
    header->flags = (header->flags & ~kWaveHeaderInQueue) | kWaveHeaderDone;
  }
  if (on_data_) on_data_(header);
}
