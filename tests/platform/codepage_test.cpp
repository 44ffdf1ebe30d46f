#include "platform/codepage.h"

#include <gtest/gtest.h>

#include "platform/native_path.h"

using namespace vanto::platform;

namespace {
const std::string kZiGbk = "\xD7\xD6";       // 字
const std::string kZiUtf8 = "\xE5\xAD\x97";  // 字
}  // namespace

TEST(Codepage, RoundTripsChineseAndAscii) {
  std::string gbk = "a" + kZiGbk + "b";
  EXPECT_EQ(GbkToUtf8(gbk), "a" + kZiUtf8 + "b");
  EXPECT_EQ(Utf8ToGbk("a" + kZiUtf8 + "b"), gbk);
  EXPECT_EQ(GbkToUtf16(gbk), u"a字b");
  EXPECT_EQ(Utf16ToGbk(u"a字b"), gbk);
  EXPECT_EQ(Utf16ToUtf8(u"字"), kZiUtf8);
  EXPECT_EQ(Utf8ToUtf16(kZiUtf8), u"字");
}

TEST(Codepage, InvalidBytesBecomeQuestionMarks) {
  EXPECT_EQ(GbkToUtf8("a\xFF"), "a?");
  EXPECT_EQ(GbkToUtf8("\xD7"), "?");  // a lead byte cut off at the end
  EXPECT_EQ(Utf8ToGbk("x\xC3"), "x?");
  EXPECT_EQ(Utf8ToGbk("\xF0\x9F\x98\x80"), "????");  // no GBK form
}

TEST(Codepage, BoundedConversionsRefuseWhatDoesNotFit) {
  std::string gbk31;
  for (int i = 0; i < 31; ++i) gbk31 += kZiGbk;
  EXPECT_EQ(GbkToUtf16Bounded(gbk31, 31)->size(), 31u);
  EXPECT_FALSE(GbkToUtf16Bounded(gbk31 + "a", 31));
  // Ten Chinese characters need 30 UTF-8 bytes, eleven need 33.
  std::u16string ten(10, u'字');
  EXPECT_EQ(Utf16ToUtf8Bounded(ten, 32)->size(), 30u);
  EXPECT_FALSE(Utf16ToUtf8Bounded(ten + u"字", 32));
  EXPECT_EQ(Utf16ToUtf8Bounded(ten + u"ab", 32)->size(), 32u);
}

TEST(NativePaths, BackslashesAndGbkBecomeNative) {
  EXPECT_EQ(NativePath("hlg\\puzzle\\hanzi.xml"), "hlg/puzzle/hanzi.xml");
  EXPECT_EQ(NativePath("\\tmp\\x"), "/tmp/x");
  // 0xD7 0x5C style pairs: a GBK trail byte equal to '\' is not a separator.
  std::string gbk_with_backslash_trail = "\x81\x5C";  // a valid GBK pair
  EXPECT_EQ(NativePath("ss\\" + gbk_with_backslash_trail).find('/', 3), std::string::npos);
  EXPECT_EQ(NativePath("ss\\" + kZiGbk + ".mp3"), "ss/" + kZiUtf8 + ".mp3");
  EXPECT_EQ(NativeToHostPath("/tmp/" + kZiUtf8), "\\tmp\\" + kZiGbk);
  EXPECT_EQ(JoinHostPath("C:\\x", "list.dat"), "C:\\x\\list.dat");
  EXPECT_EQ(JoinHostPath("C:\\x\\", "list.dat"), "C:\\x\\list.dat");
}
