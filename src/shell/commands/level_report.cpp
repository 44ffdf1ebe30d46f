#include "shell/commands/level_report.h"

#include <algorithm>

#include "shell/commands/callback.h"

namespace {

// Samples whose deviation stays at or below this are treated as silence.
constexpr int kQuietDeviation = 4;
// Offset the movie expects on every reported level.
constexpr int kLevelOffset = 16;

}  // namespace

int SampleDeviation(std::uint8_t sample) {
  const int b = static_cast<std::int8_t>(sample);
  return b > 0 ? 127 - b : -128 - b;
}

std::string LevelList(const std::uint8_t* samples, std::size_t count) {
  std::string levels;
  if (!samples) return levels;
  std::size_t start = 0;
  while (start < count && SampleDeviation(samples[start]) <= kQuietDeviation) ++start;
  const std::size_t end = std::min(count, start + kMaxReportedLevels);
  for (std::size_t i = start; i < end; ++i) {
    levels += std::to_string(SampleDeviation(samples[i]) + kLevelOffset);
    levels += ',';
  }
  return levels;
}

std::optional<std::string> BuildLevelReport(const WaveHeader* header) {
  if (!header || !(header->flags & kWaveHeaderDone)) return std::nullopt;
  std::string levels;
  if (header->data && header->bytes_recorded > 0) {
    const std::size_t count = std::min(header->bytes_recorded, header->buffer_length);
    levels = LevelList(header->data, count);
  }
  return BuildCallbackRequest(kMicrophoneCallbackPrefix, levels);
}
