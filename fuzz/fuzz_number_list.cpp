// The study file's number lists: bounded storing, and formatting reads back.
#include <cstdlib>
#include <string_view>

#include "learner/number_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::int32_t entries[10] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  const std::size_t count = 1 + (size > 0 ? data[0] % 10 : 0);
  const std::size_t stored = ParseNumberList(text, entries, count);
  if (stored > count) std::abort();
  for (std::size_t i = 0; i < 10; ++i) {
    const bool should_be_stored = i < stored;
    if (should_be_stored != (entries[i] >= 0)) std::abort();
  }
  std::int32_t again[10] = {};
  if (ParseNumberList(FormatNumberList(entries, stored), again, 10) != stored) std::abort();
  for (std::size_t i = 0; i < stored; ++i) {
    if (again[i] != entries[i]) std::abort();
  }
  return 0;
}
