#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/codepage.h"

namespace vanto::platform {
namespace {

// One iconv conversion between two encodings. Invalid or incomplete input
// bytes are replaced by `replacement` (already in the target encoding) and
// skipped, one source unit at a time.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  std::string Run(const char* data, std::size_t size, std::size_t unit,
                  std::string_view replacement) {
    std::string out;
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return out;
    char* in = const_cast<char*>(data);
    std::size_t in_left = size;
    char buffer[1024];
    while (in_left > 0) {
      char* dst = buffer;
      std::size_t dst_left = sizeof buffer;
      std::size_t rc = iconv(cd_, &in, &in_left, &dst, &dst_left);
      out.append(buffer, dst - buffer);
      if (rc != static_cast<std::size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: substitute and skip one source unit.
      out.append(replacement);
      std::size_t skip = in_left < unit ? in_left : unit;
      in += skip;
      in_left -= skip;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    char* dst = buffer;
    std::size_t dst_left = sizeof buffer;
    iconv(cd_, nullptr, nullptr, &dst, &dst_left);
    out.append(buffer, dst - buffer);
    return out;
  }

 private:
  iconv_t cd_;
};

// Code page 936 as the original platform knows it; glibc's CP936 adds the
// euro sign at 0x80, the rest is GBK.
constexpr const char* kGbk = "CP936";

std::u16string BytesToU16(const std::string& bytes) {
  std::u16string out(bytes.size() / 2, u'\0');
  std::memcpy(out.data(), bytes.data(), out.size() * 2);
  return out;
}

const std::string kQuestionUtf16(reinterpret_cast<const char*>(u"?"), 2);

// Bytes below 0x80 are the same characters in GBK and UTF-8. Paths are
// converted at every file operation, often on several threads at once, and
// opening a converter takes the C library's module lock; plain ASCII text,
// by far the most common, needs none.
bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  if (IsAscii(gbk)) return std::string(gbk);
  return Converter("UTF-8", kGbk).Run(gbk.data(), gbk.size(), 1, "?");
}

std::string Utf8ToGbk(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  return Converter(kGbk, "UTF-8").Run(utf8.data(), utf8.size(), 1, "?");
}

std::u16string GbkToUtf16(std::string_view gbk) {
  return BytesToU16(Converter("UTF-16LE", kGbk).Run(gbk.data(), gbk.size(), 1, kQuestionUtf16));
}

std::string Utf16ToGbk(std::u16string_view utf16) {
  return Converter(kGbk, "UTF-16LE")
      .Run(reinterpret_cast<const char*>(utf16.data()), utf16.size() * 2, 2, "?");
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  return Converter("UTF-8", "UTF-16LE")
      .Run(reinterpret_cast<const char*>(utf16.data()), utf16.size() * 2, 2, "?");
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  return BytesToU16(
      Converter("UTF-16LE", "UTF-8").Run(utf8.data(), utf8.size(), 1, kQuestionUtf16));
}

std::optional<std::u16string> GbkToUtf16Bounded(std::string_view gbk, std::size_t max_units) {
  std::u16string out = GbkToUtf16(gbk);
  if (out.size() > max_units) return std::nullopt;
  return out;
}

std::optional<std::string> Utf16ToUtf8Bounded(std::u16string_view utf16, std::size_t max_bytes) {
  std::string out = Utf16ToUtf8(utf16);
  if (out.size() > max_bytes) return std::nullopt;
  return out;
}

}  // namespace vanto::platform
