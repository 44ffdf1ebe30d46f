// Paths and URLs of the delivery code live in buffers of 260 characters
// including the terminator, the original system's path limit. A longer text
// is refused by every operation that takes one (its result is a failure).
#pragma once

#include <cstddef>
#include <string_view>

namespace vanto::delivery {

inline constexpr std::size_t kMaxPathBuffer = 260;

// True when `text` fits in a 260-character buffer with its terminator.
inline bool FitsPathBuffer(std::string_view text) {
  return text.size() < kMaxPathBuffer;
}

}  // namespace vanto::delivery
