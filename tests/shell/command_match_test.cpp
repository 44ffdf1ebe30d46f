#include "shell/command_match.h"

#include <gtest/gtest.h>

#include <climits>

TEST(CommandMatch, PrefixCountsTheKeywordsEndWhenItIsShort) {
  EXPECT_TRUE(MatchPrefix("MOUSE", "mouse", 10));
  EXPECT_FALSE(MatchPrefix("mouse2", "mouse", 10));
  EXPECT_TRUE(MatchPrefix("CookieUserX", "CookieUser", 10));
  EXPECT_TRUE(MatchPrefix("gusher", "gushi", 4));
  EXPECT_FALSE(MatchPrefix("gus", "gushi", 4));
  EXPECT_TRUE(MatchPrefix("beginning", "begin", 5));
  EXPECT_FALSE(MatchPrefix(" begin", "begin", 5));
  EXPECT_TRUE(MatchExact("Quit", "quit"));
  EXPECT_FALSE(MatchExact("quits", "quit"));
}

TEST(CommandMatch, DoubleByteCharactersAreComparedAsUnits) {
  // 0xB0 0x41 is one character; its trail byte is not folded to 'a'.
  EXPECT_FALSE(MatchExact("\xB0\x41", "\xB0\x61"));
  EXPECT_TRUE(MatchExact("\xB0\x41x", "\xB0\x41X"));
  EXPECT_TRUE(MatchPrefix("\xB0\x41\xB0\x42", "\xB0\x41\xB0\x43", 2));
  EXPECT_FALSE(MatchPrefix("\xB0\x41\xB0\x42", "\xB0\x41\xB0\x43", 4));
}

TEST(CommandMatch, DecimalsReadLikeAtoi) {
  EXPECT_EQ(ReadDecimal(" 12x"), 12);
  EXPECT_EQ(ReadDecimal("-3"), -3);
  EXPECT_EQ(ReadDecimal("x"), 0);
  EXPECT_EQ(ReadDecimal(""), 0);
  EXPECT_EQ(ReadDecimal("99999999999"), INT_MAX);
}
