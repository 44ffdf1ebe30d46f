// Sees every download notice with the name of its target ("main",
// "popup"); headless mode prints them, the window ignores them.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

using NoticeObserver = std::function<void(std::string_view target, int code, std::int64_t value,
                                          std::string_view line)>;
