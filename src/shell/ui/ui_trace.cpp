#include "shell/ui/ui_trace.h"

#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::int64_t ClockMs(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// When this process started, in milliseconds since the epoch: the kernel
// keeps the start in clock ticks since boot (field 22 of /proc/self/stat).
std::int64_t ProcessStartMs() {
  std::ifstream stat("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  std::size_t pos = text.rfind(')');  // the name in parentheses may hold blanks
  if (pos == std::string::npos) return ClockMs(CLOCK_REALTIME);
  std::size_t field = 2;
  while (field < 22 && pos != std::string::npos) {
    pos = text.find(' ', pos + 1);
    ++field;
  }
  long long ticks = pos == std::string::npos ? 0 : std::atoll(text.c_str() + pos + 1);
  std::int64_t since_boot = ticks * 1000 / sysconf(_SC_CLK_TCK);
  return ClockMs(CLOCK_REALTIME) - (ClockMs(CLOCK_BOOTTIME) - since_boot);
}

}  // namespace

bool UiTraceEnabled() {
  static const bool enabled = std::getenv("VANTO_TRACE") != nullptr;
  return enabled;
}

void UiTrace(std::initializer_list<std::string_view> fields) {
  if (!UiTraceEnabled()) return;
  std::string line;
  for (std::string_view field : fields) {
    if (!line.empty()) line += '\t';
    line += field;
  }
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

void UiTraceStep(std::string_view what, std::int64_t wall_clock_ms) {
  if (!UiTraceEnabled()) return;
  static const std::int64_t start = ProcessStartMs();
  std::int64_t at = wall_clock_ms > 0 ? wall_clock_ms : ClockMs(CLOCK_REALTIME);
  UiTrace({"Step", std::to_string(at - start), what});
}
