// Diagnostics of the windowed program: with the environment variable
// VANTO_TRACE set, what passes between the host and its movie view is
// printed to standard error, one TAB-separated line each (UTF-8).
#pragma once

#include <initializer_list>
#include <string_view>

bool UiTraceEnabled();
void UiTrace(std::initializer_list<std::string_view> fields);
