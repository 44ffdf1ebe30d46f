// The microphone's level report: the cbMicrophone request built from one
// finished recording buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "shell/devices/wave_buffer.h"

// Most levels one report carries.
inline constexpr std::size_t kMaxReportedLevels = 64;

// Level of one 8-bit sample as the movie expects it: the byte read as a
// signed value b gives 127 - b when b > 0 and -128 - b otherwise.
int SampleDeviation(std::uint8_t sample);

// The levels part of the payload: from the first sample whose deviation is
// above 4, up to 64 values of deviation + 16, each followed by a comma.
// Empty when no sample is that loud.
std::string LevelList(const std::uint8_t* samples, std::size_t count);

// The whole request for a finished buffer; nothing when the header is
// missing or not marked done. A done header without data reports "0," alone.
std::optional<std::string> BuildLevelReport(const WaveHeader* header);
