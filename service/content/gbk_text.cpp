#include "service/content/gbk_text.h"

#include <iconv.h>

#include <algorithm>
#include <vector>

namespace vanto::service {

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
  // Plain ASCII, the usual case, reads the same in both encodings.
  if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) == 0; }))
    return std::string(utf8);
  iconv_t cd = iconv_open("CP936", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::vector<char> out(utf8.size() * 2 + 4);
  char* in_ptr = const_cast<char*>(utf8.data());
  size_t in_left = utf8.size();
  char* out_ptr = out.data();
  size_t out_left = out.size();
  size_t result = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
  iconv_close(cd);
  if (result == static_cast<size_t>(-1) || in_left != 0) return std::nullopt;
  return std::string(out.data(), out.size() - out_left);
}

}  // namespace vanto::service
