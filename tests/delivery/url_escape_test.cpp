#include "delivery/url_escape.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/codepage.h"

namespace vanto::delivery {
namespace {

TEST(EscapeHighBytes, EscapesOnlyBytesFromEightyHexUp) {
  EXPECT_EQ(EscapeHighBytes("a b%"), "a b%");
  EXPECT_EQ(EscapeHighBytes("?x=1&y=2#z"), "?x=1&y=2#z");
  EXPECT_EQ(EscapeHighBytes("\xC4\xE3"), "%C4%E3");
  EXPECT_EQ(EscapeHighBytes("\xE5\xAD\x97"), "%E5%AD%97");
  EXPECT_EQ(EscapeHighBytes(std::string("\x7F\x80\xFF", 3)), "\x7F%80%FF");
  EXPECT_EQ(EscapeHighBytes(""), "");
}

TEST(Utf8EscapedUrl, SendsGbkPathAsEscapedUtf8) {
  const std::string gbk = platform::Utf8ToGbk("http://127.0.0.1:8090/v2/ss/字.mp3?rand=7");
  EXPECT_EQ(Utf8EscapedUrl(gbk, gbk.size()), "http://127.0.0.1:8090/v2/ss/%E5%AD%97.mp3?rand=7");
}

TEST(Utf8EscapedUrl, ConvertsOnlyTheGivenLength) {
  const std::string gbk = platform::Utf8ToGbk("/a/你好");
  EXPECT_EQ(Utf8EscapedUrl(gbk, 5), "/a/%E4%BD%A0");
  EXPECT_EQ(Utf8EscapedUrl(gbk, 100), "/a/%E4%BD%A0%E5%A5%BD");
}

TEST(Utf8EscapedUrl, RefusesWhatDoesNotFitTheBuffers) {
  EXPECT_EQ(Utf8EscapedUrl(std::string(259, 'a'), 259).size(), 259u);
  EXPECT_EQ(Utf8EscapedUrl(std::string(260, 'a'), 260), "");
  // 100 GBK characters: 200 bytes, 100 UTF-16 units, but 300 UTF-8 bytes.
  std::string wide;
  for (int i = 0; i < 100; ++i) wide += platform::Utf8ToGbk("字");
  EXPECT_EQ(Utf8EscapedUrl(wide, wide.size()), "");
}

}  // namespace
}  // namespace vanto::delivery
