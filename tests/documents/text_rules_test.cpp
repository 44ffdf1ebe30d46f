// The small rules every document relies on: two-decimal rounding, escaping,
// reading the fields of a text line, and the random series.
#include <gtest/gtest.h>

#include <cstring>

#include "documents/random_source.h"
#include "documents/two_decimals.h"
#include "documents/word_fields.h"
#include "documents/xml_escape.h"
#include "documents_test_support.h"

namespace vanto::documents {
namespace {

using testing::RawWord;
using testing::Word;

TEST(TwoDecimalsTest, RoundsHalfAwayFromZeroOnTheExactValue) {
  EXPECT_EQ(FormatTwoDecimals(0.125f), "0.13");  // the C library prints 0.12
  EXPECT_EQ(FormatTwoDecimals(-0.125f), "-0.13");
  EXPECT_EQ(FormatTwoDecimals(0.625f), "0.63");
  EXPECT_EQ(FormatTwoDecimals(0.375f), "0.38");
  // Just below a half in single precision: rounds down.
  EXPECT_EQ(FormatTwoDecimals(0.005f), "0.00");  // 0.00499999988...
  EXPECT_EQ(FormatTwoDecimals(0.015f), "0.01");  // 0.01499999966...
  EXPECT_EQ(FormatTwoDecimals(0.995f), "1.00");  // 0.99500000476...
  EXPECT_EQ(FormatTwoDecimals(0.1f), "0.10");
  EXPECT_EQ(FormatTwoDecimals(1.0f - 1.0f / 3.0f), "0.67");
  EXPECT_EQ(FormatTwoDecimals(0.0f), "0.00");
  EXPECT_EQ(FormatTwoDecimals(-1.0f), "-1.00");
  EXPECT_EQ(FormatTwoDecimals(-0.001f), "-0.00");  // the sign stays, as printf keeps it
  EXPECT_EQ(FormatTwoDecimals(1234.5f), "1234.50");
}

TEST(XmlEscapeTest, EscapesOnlyWhatBreaksXml) {
  EXPECT_EQ(EscapeContent("人们 'a' \"b\""), "人们 'a' \"b\"");
  EXPECT_EQ(EscapeContent("a&b<c>d"), "a&amp;b&lt;c&gt;d");
  EXPECT_EQ(EscapeAttribute("it's \"x\" & <y>", '\''), "it&apos;s \"x\" &amp; &lt;y&gt;");
  EXPECT_EQ(EscapeAttribute("it's \"x\"", '"'), "it's &quot;x&quot;");
}

TEST(WordFieldsTest, FieldsAreNonEmptyStretchesEndingAtATab) {
  const WordRecord full = Word("人\trén\t大人\t人们来了");
  EXPECT_EQ(WordField(full, 0), "人");
  EXPECT_EQ(WordField(full, 1), "rén");
  EXPECT_EQ(WordField(full, 2), "大人");
  EXPECT_EQ(WordField(full, 3), "人们来了");
  EXPECT_EQ(WordField(full, 4), "");

  const WordRecord gap = Word("口\t\t口子");  // empty spell is skipped uncounted
  EXPECT_EQ(WordField(gap, 1), "口子");
  const WordRecord open_end = RawWord("a\tb");
  EXPECT_EQ(WordField(open_end, 1), "");  // no TAB after "b": no field
  const WordRecord leading = RawWord("\t\tx\t");
  EXPECT_EQ(WordField(leading, 0), "x");
}

TEST(WordFieldsTest, CardPositionsCountEmptyStretches) {
  const WordRecord gap = Word("口\t\t口子\t张口");
  const auto positions = CardPositions(gap);
  EXPECT_EQ(positions[0], "口");
  EXPECT_EQ(positions[1], "");
  EXPECT_EQ(positions[2], "口子");
  EXPECT_EQ(positions[3], "张口");
  const WordRecord five = Word("a\tb\tc\td\te");  // a fifth field is not read
  const auto more = CardPositions(five);
  EXPECT_EQ(more[3], "d");
  const WordRecord one = Word("a");
  const auto few = CardPositions(one);
  EXPECT_EQ(few[1], "");
  EXPECT_EQ(few[3], "");
}

TEST(WordFieldsTest, DistractorTakesTheStretchBeforeTheFirstTab) {
  const WordRecord lines[] = {Word("人\trén"), RawWord("\tx\t"), RawWord("no tab"), RawWord("")};
  EXPECT_EQ(DistractorText(lines[0]), "人");
  EXPECT_EQ(DistractorText(lines[1]), "");  // empty, but present
  EXPECT_FALSE(DistractorText(lines[2]).has_value());
  EXPECT_FALSE(DistractorText(lines[3]).has_value());
}

TEST(WordFieldsTest, ALineWithoutNulIsReadNoFurtherThanItsBytes) {
  WordRecord record{};
  std::memset(record.line, 'x', sizeof record.line);
  record.line[10] = '\t';
  record.review_count = '\t';  // a TAB in the counters must not be read as text
  EXPECT_EQ(LineOf(record).size(), sizeof record.line);
  EXPECT_EQ(WordField(record, 1), "");
  EXPECT_EQ(DistractorText(record), "xxxxxxxxxx");
}

TEST(RandomSourceTest, StartsFromOneAndFollowsTheFixedSeries) {
  RandomSource random;
  const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
  for (int value : expected) EXPECT_EQ(random.Next(), value);
}

}  // namespace
}  // namespace vanto::documents
