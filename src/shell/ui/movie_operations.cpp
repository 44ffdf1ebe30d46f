#include "shell/ui/movie_operations.h"

std::string MovieOperations::TakeJoined() {
  std::string joined;
  for (std::size_t i = 0; i < waiting_.size(); ++i) joined += (i ? "," : "") + waiting_[i];
  waiting_.clear();
  return joined;
}
