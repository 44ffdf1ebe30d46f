// Calendar and clocks.
#pragma once

#include <cstdint>

namespace vanto::platform {

// Today's local date as the decimal number yyyymmdd (for example 20120610),
// from the system clock (so that a faked clock moves it).
int LocalDateNumber();

// Milliseconds of a monotonic clock; wraps like a 32-bit tick count.
std::uint32_t TickCount();

}  // namespace vanto::platform
