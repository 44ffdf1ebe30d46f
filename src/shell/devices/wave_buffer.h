// The wave-input vocabulary the microphone works with: the format record and
// the buffer header of the platform's wave-input service, with the flag bits
// and result codes the microphone looks at.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr std::uint16_t kWaveFormatPcm = 1;

struct WaveFormat {
  std::uint16_t format_tag = 0;
  std::uint16_t channels = 0;
  std::uint32_t samples_per_second = 0;
  std::uint32_t average_bytes_per_second = 0;
  std::uint16_t block_align = 0;
  std::uint16_t bits_per_sample = 0;
  std::uint16_t extra_size = 0;
};

// Header flag bits.
inline constexpr std::uint32_t kWaveHeaderDone = 0x01;      // the service has finished the buffer
inline constexpr std::uint32_t kWaveHeaderPrepared = 0x02;  // prepared for the device
inline constexpr std::uint32_t kWaveHeaderInQueue = 0x10;   // queued on the device

struct WaveHeader {
  std::uint8_t* data = nullptr;
  std::uint32_t buffer_length = 0;
  std::uint32_t bytes_recorded = 0;
  std::uintptr_t user = 0;
  std::uint32_t flags = 0;
  std::uint32_t loops = 0;
  WaveHeader* next = nullptr;
  std::uintptr_t reserved = 0;
};

// Result codes of the wave-input operations: 0 is success; the service's own
// failures are its negative error numbers.
inline constexpr int kWaveNoError = 0;
inline constexpr int kWaveInvalidHandle = 5;  // no open device
inline constexpr int kWaveInvalidParameter = 11;
inline constexpr int kWaveStillRecording = 33;  // header still queued
inline constexpr int kWaveUnprepared = 34;      // header not prepared

// The microphone's format: PCM, mono, 8000 samples of 8 bits per second.
inline WaveFormat MicrophoneWaveFormat() {
  WaveFormat format;
  format.format_tag = kWaveFormatPcm;
  format.channels = 1;
  format.samples_per_second = 8000;
  format.average_bytes_per_second = 8000;
  format.block_align = 1;
  format.bits_per_sample = 8;
  format.extra_size = 0;
  return format;
}

// One take: three seconds of the microphone's format.
inline constexpr std::size_t kMicrophoneBufferSize = 24000;
