#include "shell/commands/level_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kPrefix = "<invoke name=\"cbMicrophone\"><arguments><string>0,";
const std::string kSuffix = "</string></arguments></invoke>";

std::string Report(std::vector<std::uint8_t> bytes, std::uint32_t recorded) {
  WaveHeader header;
  header.data = bytes.data();
  header.buffer_length = static_cast<std::uint32_t>(bytes.size());
  header.bytes_recorded = recorded;
  header.flags = kWaveHeaderDone | kWaveHeaderPrepared;
  return BuildLevelReport(&header).value_or("(none)");
}

std::string Report(std::vector<std::uint8_t> bytes) {
  const auto size = static_cast<std::uint32_t>(bytes.size());
  return Report(std::move(bytes), size);
}

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

TEST(LevelReport, LevelsOfSingleBytes) {
  EXPECT_EQ(SampleDeviation(0x80) + 16, 16);
  EXPECT_EQ(SampleDeviation(0x7F) + 16, 16);
  EXPECT_EQ(SampleDeviation(0x40) + 16, 79);
  EXPECT_EQ(SampleDeviation(0xFF) + 16, -111);
  EXPECT_EQ(SampleDeviation(0x00) + 16, -112);
  EXPECT_EQ(SampleDeviation(0x7B), 4);  // the loudest byte still counted as quiet
  EXPECT_EQ(SampleDeviation(0x7A), 5);
}

TEST(LevelReport, StartsAtTheFirstLoudSampleAndListsEveryLevelWithAComma) {
  EXPECT_EQ(Report({0x80, 0x7B, 0x7A, 0xFF, 0x00, 0x80}), kPrefix + "21,-111,-112,16," + kSuffix);
}

TEST(LevelReport, QuietTakeReportsTheLeadingZeroAlone) {
  EXPECT_EQ(Report(std::vector<std::uint8_t>(24000, 0x80)), kPrefix + kSuffix);
  EXPECT_EQ(Report(std::vector<std::uint8_t>(24000, 0x00)), kPrefix + kSuffix);
}

TEST(LevelReport, FullTakeReportsSixtyFourLevelsFromTheFirstLoudOne) {
  std::vector<std::uint8_t> take(24000, 0x80);
  for (int i = 100; i < 164; ++i) take[i] = 0x40;
  take[99] = 0x7B;   // quiet
  take[164] = 0x01;  // beyond the 64 levels
  EXPECT_EQ(Report(take), kPrefix + Repeat("79,", 64) + kSuffix);
}

TEST(LevelReport, ShortTailEndsWithTheRecordedBytes) {
  std::vector<std::uint8_t> take(24000, 0x40);
  // Only the first 10 bytes were recorded when the take was stopped.
  EXPECT_EQ(Report(take, 10), kPrefix + Repeat("79,", 10) + kSuffix);
  std::vector<std::uint8_t> late(300, 0x80);
  late[297] = 0x40;
  EXPECT_EQ(Report(late), kPrefix + "79,16,16," + kSuffix);
}

TEST(LevelReport, NothingForMissingOrUnfinishedBuffers) {
  EXPECT_FALSE(BuildLevelReport(nullptr));
  std::vector<std::uint8_t> bytes(10, 0x40);
  WaveHeader header;
  header.data = bytes.data();
  header.buffer_length = header.bytes_recorded = 10;
  header.flags = kWaveHeaderPrepared | kWaveHeaderInQueue;
  EXPECT_FALSE(BuildLevelReport(&header));
  header.flags = kWaveHeaderDone;
  header.data = nullptr;
  EXPECT_EQ(BuildLevelReport(&header), kPrefix + kSuffix);
}

}  // namespace
