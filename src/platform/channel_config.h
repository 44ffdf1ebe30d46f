// The distribution channel ("Qudao") the installation was made for.
//
// It lives in a system configuration file: the first line of
// /etc/vanto/qudao, or of the file named by the environment variable
// VANTO_QUDAO_FILE when that is set. No file gives an empty channel.
#pragma once

#include <string>

namespace vanto::platform {

// The channel text in code page 936, cut to at most `max_bytes` bytes.
std::string ReadChannelValue(std::size_t max_bytes);

}  // namespace vanto::platform
