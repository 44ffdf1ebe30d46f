// Profile text rules on any text: lookups never fail hard, a value that was
// set is found again, and other keys keep their values.
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/profile.h"

namespace {

constexpr std::string_view kSections[] = {"study", "Chap", "mofa", "user"};
constexpr std::string_view kKeys[] = {"day", "days", "count", "name"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vanto::platform;
  if (size == 0) return 0;
  const std::string_view section = kSections[data[0] % 4];
  const std::string_view key = kKeys[(data[0] >> 2) % 4];
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

  std::string value;
  if (FindProfileValue(text, section, key, &value)) ParseProfileInt(value);
  ParseProfileInt(text);

  std::string other_before;
  const bool other_found = FindProfileValue(text, "study", "gushi", &other_before);
  const std::string updated = SetProfileValue(text, section, key, "12,3,");
  if (!FindProfileValue(updated, section, key, &value) || value != "12,3,") std::abort();
  std::string other_after;
  if (section != "study" || key != "gushi") {
    if (FindProfileValue(updated, "study", "gushi", &other_after) != other_found) std::abort();
    if (other_found && other_after != other_before) std::abort();
  }
  return 0;
}
