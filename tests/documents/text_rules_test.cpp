// The small rules every document relies on: two-decimal rounding, escaping,
// reading the fields of a text line, and the random series.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "documents/random_source.h"
#include "documents/two_decimals.h"
#include "documents/word_fields.h"
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

TEST(WordFieldsTest, FieldsCardPositionsAndDistractorText) {
  const WordRecord gap = Word("口\t\t口子\t张口");
  EXPECT_EQ(WordField(gap, 0), "口");
  EXPECT_EQ(WordField(gap, 1), "口子");  // the empty stretch is skipped uncounted
  EXPECT_EQ(WordField(gap, 2), "张口");
  EXPECT_EQ(WordField(gap, 3), "");
  const auto positions = CardPositions(gap);  // the card lesson counts it
  EXPECT_EQ(std::vector<std::string_view>(positions.begin(), positions.end()),
            (std::vector<std::string_view>{"口", "", "口子", "张口"}));
  const WordRecord open_end = RawWord("\ta\tb");
  EXPECT_EQ(WordField(open_end, 1), "");    // "b" has no TAB after it
  EXPECT_EQ(DistractorText(open_end), "");  // empty, but present
  const WordRecord no_tab = RawWord("x");
  EXPECT_FALSE(DistractorText(no_tab).has_value());
  EXPECT_EQ(CardPositions(no_tab)[0], "");
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
