#include "platform/profile.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "platform/native_path.h"
#include "temp_folder.h"

using namespace vanto::platform;
using vanto::testing::TempFolder;

TEST(ProfileInt, MalformedValuesReadByTheDocumentedRule) {
  EXPECT_EQ(ParseProfileInt("12"), 12);
  EXPECT_EQ(ParseProfileInt("  12x"), 12);
  EXPECT_EQ(ParseProfileInt("-3"), -3);
  EXPECT_EQ(ParseProfileInt("+4"), 4);
  EXPECT_EQ(ParseProfileInt("abc"), 0);
  EXPECT_EQ(ParseProfileInt("-"), 0);
  EXPECT_EQ(ParseProfileInt("1 2"), 1);
  EXPECT_EQ(ParseProfileInt("0x10"), 0);
  EXPECT_EQ(ParseProfileInt("99999999999"), INT_MAX);
  EXPECT_EQ(ParseProfileInt("-99999999999"), INT_MIN);
  EXPECT_EQ(ParseProfileInt("2147483647"), INT_MAX);
  EXPECT_EQ(ParseProfileInt("-2147483648"), INT_MIN);
}

TEST(ProfileText, LookupIgnoresCaseAndTakesFirstSectionAndKey) {
  std::string text =
      "; comment\r\n[Study]\r\n Day = 7 \r\nday=8\r\n[chap]\r\ndays=1,2,\r\n[study]\r\nday=9\r\n"
      "group\r\n";
  std::string v;
  ASSERT_TRUE(FindProfileValue(text, "study", "DAY", &v));
  EXPECT_EQ(v, "7");
  ASSERT_TRUE(FindProfileValue(text, "CHAP", "days", &v));
  EXPECT_EQ(v, "1,2,");
  EXPECT_FALSE(FindProfileValue(text, "study", "group", &v));
  EXPECT_FALSE(FindProfileValue(text, "mofa", "count", &v));
  EXPECT_FALSE(FindProfileValue("", "study", "day", &v));
}

TEST(ProfileText, QuotesAroundAValueAreRemoved) {
  std::string v;
  ASSERT_TRUE(FindProfileValue("[user]\nname=\"a b\"\n", "user", "name", &v));
  EXPECT_EQ(v, "a b");
}

TEST(ProfileText, WritesReplaceInPlaceAndKeepTheRest) {
  std::string text = "[study]\r\nday=1\r\n; keep me\r\n\r\n[other]\r\nx=y\r\n";
  EXPECT_EQ(SetProfileValue(text, "STUDY", "Day", "2"),
            "[study]\r\nday=2\r\n; keep me\r\n\r\n[other]\r\nx=y\r\n");
  EXPECT_EQ(SetProfileValue(text, "study", "group", "6"),
            "[study]\r\nday=1\r\n; keep me\r\ngroup=6\r\n\r\n[other]\r\nx=y\r\n");
  EXPECT_EQ(SetProfileValue(text, "mofa", "count", "1,"), text + "[mofa]\r\ncount=1,\r\n");
  EXPECT_EQ(SetProfileValue("", "study", "day", "0"), "[study]\r\nday=0\r\n");
  EXPECT_EQ(SetProfileValue("[a]\nb=1", "a", "c", "2"), "[a]\nb=1\nc=2\n");
  EXPECT_EQ(SetProfileValue("[a]\nb=1", "z", "c", "2"), "[a]\nb=1\n[z]\nc=2\n");
}

TEST(ProfileFile, ReadsDefaultsAndWritesKeys) {
  TempFolder dir;
  std::string ini = NativeToHostPath(dir.File("Vanto.ini"));
  EXPECT_EQ(ReadProfileInt("study", "group", 6, ini), 6);
  EXPECT_EQ(ReadProfileString("user", "name", "", ini), "");
  ASSERT_TRUE(WriteProfileString("study", "group", "8", ini));
  ASSERT_TRUE(WriteProfileString("user", "name", "mama", ini));
  EXPECT_EQ(ReadProfileInt("study", "group", 6, ini), 8);
  EXPECT_EQ(ReadProfileString("USER", "NAME", "", ini), "mama");
  EXPECT_EQ(ReadProfileString("user", "name", "", ini, 3), "ma");
  dir.Write("Vanto.ini", "[study]\nday=\n");
  EXPECT_EQ(ReadProfileInt("study", "day", 5, ini), 5);  // empty value: the default
}

TEST(ProfileFile, WriteLeavesNoTemporaryFilesAndFailsInAMissingFolder) {
  TempFolder dir;
  std::string ini = NativeToHostPath(dir.File("Vanto.ini"));
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(WriteProfileString("s", "k", std::to_string(i), ini));
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.path())) files += e.is_regular_file();
  EXPECT_EQ(files, 1);
  EXPECT_FALSE(WriteProfileString("s", "k", "v", NativeToHostPath(dir.File("no\\such.ini"))));
}

// The study file holds the parent's password: its owner alone may read it,
// from its creation on and after every rewrite, also when it was wider.
TEST(ProfileFile, OnlyTheOwnerMayReadIt) {
  TempFolder dir;
  std::string ini = NativeToHostPath(dir.File("Vanto.ini"));
  const auto mode = [&] {
    return std::filesystem::status(dir.File("Vanto.ini")).permissions() &
           std::filesystem::perms::all;
  };
  ASSERT_TRUE(WriteProfileString("user", "password", "s3cret", ini));
  EXPECT_EQ(mode(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  std::filesystem::permissions(dir.File("Vanto.ini"), std::filesystem::perms(0644));
  ASSERT_TRUE(WriteProfileString("study", "day", "3", ini));
  EXPECT_EQ(mode(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST(ProfileText, AKeyAddedAfterALoneCarriageReturnCanBeReadBack) {
  std::string text = SetProfileValue("[study\r", "study", "day", "7");
  std::string v;
  ASSERT_TRUE(FindProfileValue(text, "study", "day", &v)) << text;
  EXPECT_EQ(v, "7");
  text = SetProfileValue("[a]\r\nb=1\r", "zz", "day", "8");
  ASSERT_TRUE(FindProfileValue(text, "a", "b", &v));
  EXPECT_EQ(v, "1");
  ASSERT_TRUE(FindProfileValue(text, "zz", "day", &v));
  EXPECT_EQ(v, "8");
}
