// The content mirrors in the order a download tries them, shared by the
// downloads of one run, which may be under way at the same time.
#pragma once

#include <algorithm>
#include <array>
#include <mutex>

namespace vanto::delivery {

class MirrorOrder {
 public:
  // Indexes into the MirrorTable, the first tried first.
  using Order = std::array<int, 3>;

  explicit MirrorOrder(Order initial) : order_(initial) {}

  // The order for a download that starts now.
  Order Current() const {
    std::lock_guard lock(mutex_);
    return order_;
  }

  // `mirror` served a file after the mirror tried before it failed: it swaps
  // places with the first, so that every download starting later tries it
  // first.
  void MoveToFront(int mirror) {
    std::lock_guard lock(mutex_);
    const auto found = std::find(order_.begin(), order_.end(), mirror);
    if (found != order_.end()) std::iter_swap(order_.begin(), found);
  }

 private:
  mutable std::mutex mutex_;
  Order order_;
};

}  // namespace vanto::delivery
