#include <time.h>

#include "platform/local_date.h"

namespace vanto::platform {

int LocalDateNumber() {
  time_t now = ::time(nullptr);
  struct tm local;
  ::localtime_r(&now, &local);
  return (local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
}

std::uint32_t TickCount() {
  struct timespec ts;
  ::clock_gettime(CLOCK_MONOTONIC, &ts);
  std::uint64_t ms = static_cast<std::uint64_t>(ts.tv_sec) * 1000u + ts.tv_nsec / 1000000;
  return static_cast<std::uint32_t>(ms);
}

}  // namespace vanto::platform
