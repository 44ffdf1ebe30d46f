// Diagnostics of the windowed program: with the environment variable
// VANTO_TRACE set, what passes between the host and its movie view is
// printed to standard error, one TAB-separated line each (UTF-8).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

bool UiTraceEnabled();
void UiTrace(std::initializer_list<std::string_view> fields);

// A step of the start-up, timed: "Step<TAB>ms since the process started<TAB>what".
// `wall_clock_ms` (milliseconds since the epoch) is when it happened, for
// steps that another process reports late; by default it is now.
void UiTraceStep(std::string_view what, std::int64_t wall_clock_ms = 0);
