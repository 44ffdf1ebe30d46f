// The documents' pseudo-random source: the same series on every run of the
// program, so that quiz documents repeat from one run to the next. One
// instance lives for the whole program and is never reseeded.
#pragma once

#include <cstdint>

namespace vanto::documents {

class RandomSource {
 public:
  // The next value, 0 to 32767.
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }

 private:
  std::uint32_t state_ = 1;
};

}  // namespace vanto::documents
