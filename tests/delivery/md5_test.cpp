#include "delivery/md5.h"

#include <gtest/gtest.h>

#include <string>

namespace vanto::delivery {
namespace {

std::string Hex(const std::string& text) {
  return Md5Hex(text.data(), text.size());
}

TEST(Md5, Rfc1321TestSuite) {
  EXPECT_EQ(Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Hex("a"), "0cc175b9c0f1b6a831c399e269772661");
  EXPECT_EQ(Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(Hex("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
  EXPECT_EQ(Hex("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
  EXPECT_EQ(Hex("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
            "d174ab98d277d9f5a5611c2c9f419d9f");
  EXPECT_EQ(Hex("1234567890123456789012345678901234567890"
                "1234567890123456789012345678901234567890"),
            "57edf4a22be3c955ac49da2e2107b67a");
}

// Lengths around the padding boundaries (55, 56, 63, 64 bytes) take the
// one-block and two-block final paths.
TEST(Md5, PaddingBoundaries) {
  EXPECT_EQ(Hex(std::string(55, 'a')), "ef1772b6dff9a122358552954ad0df65");
  EXPECT_EQ(Hex(std::string(56, 'a')), "3b0c8ac703f828b04c6c197006d17218");
  EXPECT_EQ(Hex(std::string(64, 'a')), "014842d480b571495a4a0363793f7367");
  EXPECT_EQ(Hex(std::string(1000000, 'a')), "7707d6ae4e027c70eea2a935c2296f21");
}

TEST(Md5, PiecewiseUpdatesEqualOneUpdate) {
  std::string data;
  for (int i = 0; i < 1000; ++i) data += static_cast<char>(i * 37 + i / 7);
  const std::string whole = Hex(data);
  for (std::size_t piece : {1u, 3u, 63u, 64u, 65u, 127u, 500u}) {
    Md5Context context;
    Md5Init(context);
    for (std::size_t at = 0; at < data.size(); at += piece) {
      Md5Update(context, data.data() + at, std::min(piece, data.size() - at));
    }
    Md5Final(context);
    EXPECT_EQ(Md5DigestText(context), whole) << "pieces of " << piece;
  }
}

TEST(Md5, ContextKeepsBitCountLowWordFirst) {
  Md5Context context;
  Md5Init(context);
  const std::string data(100, 'x');
  Md5Update(context, data.data(), data.size());
  EXPECT_EQ(context.count[0], 800u);
  EXPECT_EQ(context.count[1], 0u);
}

TEST(Md5, DigestTextWritesTwoLowerCaseDigitsPerByte) {
  Md5Context context;
  Md5Init(context);
  for (int i = 0; i < 16; ++i) context.digest[i] = static_cast<std::uint8_t>(i * 0x11 % 256);
  context.digest[0] = 0x0A;
  context.digest[15] = 0xF0;
  EXPECT_EQ(Md5DigestText(context), "0a112233445566778899aabbccddeef0");
}

}  // namespace
}  // namespace vanto::delivery
