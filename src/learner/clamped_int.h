// Arithmetic on the stored 32-bit counters without overflow: values read from
// files can be anywhere in the 32-bit range, so sums and differences are taken
// in 64 bits and brought back to the nearest 32-bit value.
#pragma once

#include <cstdint>
#include <limits>

inline std::int32_t ClampToInt32(std::int64_t value) {
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value < kMin ? kMin : (value > kMax ? kMax : value));
}

inline std::int32_t ClampedAdd(std::int32_t a, std::int64_t b) {
  return ClampToInt32(static_cast<std::int64_t>(a) + b);
}

inline std::int32_t ClampedSub(std::int32_t a, std::int32_t b) {
  return ClampToInt32(static_cast<std::int64_t>(a) - b);
}
