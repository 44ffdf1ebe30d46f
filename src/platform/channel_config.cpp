#include "platform/channel_config.h"

#include <cstdlib>
#include <fstream>

#include "platform/codepage.h"

namespace vanto::platform {

std::string ReadChannelValue(std::size_t max_bytes) {
  const char* override_path = std::getenv("VANTO_QUDAO_FILE");
  std::ifstream in(override_path ? override_path : "/etc/vanto/qudao");
  std::string line;
  if (!in || !std::getline(in, line)) return {};
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::string value = Utf8ToGbk(line);
  if (value.size() > max_bytes) value.resize(max_bytes);
  return value;
}

}  // namespace vanto::platform
