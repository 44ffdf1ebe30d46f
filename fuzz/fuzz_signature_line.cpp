// Signature lines from the network: a line that parses must be exactly the
// line its parts write again (no second spelling of one signature).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "delivery/signature/manifest_signature.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto parts = vanto::delivery::SplitSignedContent(text);
  const std::string_view line = parts ? parts->signature_line : text;
  const auto signature = vanto::delivery::ParseSignatureLine(line);
  if (signature && vanto::delivery::SignatureLine(*signature) != line) std::abort();
  return 0;
}
