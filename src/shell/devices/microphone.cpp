#include "shell/devices/microphone.h"

#include <new>

#include "shell/command_match.h"
#include "shell/commands/callback.h"
#include "shell/commands/level_report.h"

MicrophoneMonitor::MicrophoneMonitor(MovieControl* movie, PostToUi post_to_ui,
                                     std::string device_name, std::FILE* failure_output)
    : post_to_ui_(std::move(post_to_ui)),
      device_name_(std::move(device_name)),
      failure_output_(failure_output) {
  record_.movie = movie;
}

MicrophoneMonitor::~MicrophoneMonitor() {
  if (record_.device) CloseMicrophone();
  record_.device.reset();  // joins the recording thread if closing failed
  ReleaseBuffer();
}

void MicrophoneMonitor::HandleMicrophoneCommand(std::string_view argument) {
  if (MatchExact(argument, "open")) {
    if (record_.device) {
      CloseMicrophone();
      if (record_.device) return;
    }
    OpenMicrophone();
  } else if (MatchExact(argument, "close")) {
    CloseMicrophone();
  }
}

bool MicrophoneMonitor::OpenMicrophone() {
  if (record_.device) return false;
  record_.format = MicrophoneWaveFormat();
  record_.device = WaveInDevice::Open(device_name_, record_.format,
                                      [this](WaveHeader* header) { OnDataReady(header); });
  if (!record_.device) return false;
  QueueBuffer();
  return record_.device->Start() == kWaveNoError;
}

bool MicrophoneMonitor::CloseMicrophone() {
  WaveInDevice* device = record_.device.get();
  // Stopping waits for the recording thread, so after it the report has been
  // built and the buffer is no longer read.
  const int stopped = device ? device->Stop() : kWaveInvalidHandle;
  if (stopped != kWaveNoError) {
    std::fprintf(failure_output_, "waveInStop error %d\n", stopped);
    std::fflush(failure_output_);
  }
  if (record_.header.data) {
    if (device) device->UnprepareHeader(&record_.header);
    ReleaseBuffer();
  }
  if (!device || device->Close() != kWaveNoError) return false;
  record_.device.reset();
  return true;
}

void MicrophoneMonitor::QueueBuffer() {
  WaveHeader& header = record_.header;
  header = WaveHeader{};
  header.data = new (std::nothrow) std::uint8_t[kMicrophoneBufferSize]();
  if (!header.data) return;
  header.buffer_length = kMicrophoneBufferSize;
  if (record_.device->PrepareHeader(&header) != kWaveNoError ||
      record_.device->AddBuffer(&header) != kWaveNoError) {
    record_.device->UnprepareHeader(&header);
    ReleaseBuffer();
  }
}

void MicrophoneMonitor::ReleaseBuffer() {
  delete[] record_.header.data;
  record_.header.data = nullptr;
}

void MicrophoneMonitor::OnDataReady(WaveHeader* header) {
  std::optional<std::string> request = BuildLevelReport(header);
  if (!request) return;
  MovieControl* movie = record_.movie;
  auto deliver = [movie, request = std::move(*request)] { CallMovie(movie, request); };
  if (post_to_ui_) {
    post_to_ui_(std::move(deliver));
  } else {
    deliver();
  }
}
