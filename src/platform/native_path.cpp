#include "platform/native_path.h"

#include "platform/codepage.h"

namespace vanto::platform {

std::string NativePath(std::string_view host_path) {
  std::string utf8 = GbkToUtf8(host_path);
  for (char& c : utf8) {
    if (c == '\\') c = '/';
  }
  return utf8;
}

std::string NativeToHostPath(std::string_view native_path) {
  std::string gbk = Utf8ToGbk(native_path);
  // Only single bytes below 0x80 can be a path separator: the trail byte of a
  // GBK pair may be 0x5C ('\') but never 0x2F ('/').
  for (char& c : gbk) {
    if (c == '/') c = '\\';
  }
  return gbk;
}

std::string JoinHostPath(std::string_view folder, std::string_view name) {
  std::string out(folder);
  if (!out.empty() && out.back() != '\\') out.push_back('\\');
  out.append(name);
  return out;
}

}  // namespace vanto::platform
