#include "shell/devices/microphone.h"

#include <alsa/asoundlib.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "recording_movie.h"
#include "temp_folder.h"
#include "ui_queue.h"

namespace {

using vanto::testing::RecordingMovie;

const std::string kPrefix = "<invoke name=\"cbMicrophone\"><arguments><string>0,";
const std::string kSuffix = "</string></arguments></invoke>";
const char* kSystemAlsaConfig = "/usr/share/alsa/alsa.conf";

// A capture device without sound hardware: ALSA's null device, whose
// recorded data the file plugin replaces with the bytes of a file.
class MicrophoneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kSystemAlsaConfig))
      GTEST_SKIP() << "no ALSA configuration at " << kSystemAlsaConfig;
    WriteTake(std::vector<std::uint8_t>(30000, 0x80));
    std::ofstream(folder_.path() / "asound.conf")
        << "pcm.vanto_test {\n"
        << "  type file\n"
        << "  slave.pcm \"null\"\n"
        << "  file \"/dev/null\"\n"
        << "  infile \"" << (folder_.path() / "take.raw").string() << "\"\n"
        << "  format \"raw\"\n"
        << "}\n"
        << SpeechDeviceConfig();
    const std::string config_path =
        std::string(kSystemAlsaConfig) + ":" + (folder_.path() / "asound.conf").string();
    setenv("ALSA_CONFIG_PATH", config_path.c_str(), 1);
    snd_pcm_t* probe = nullptr;
    if (const int error = snd_pcm_open(&probe, "vanto_test", SND_PCM_STREAM_CAPTURE, 0); error < 0)
      GTEST_SKIP() << "ALSA's file and null plugins are not usable here: " << snd_strerror(error);
    snd_pcm_close(probe);
    failures_ = std::tmpfile();
  }

  void TearDown() override {
    if (failures_) std::fclose(failures_);
  }

  void WriteTake(const std::vector<std::uint8_t>& bytes) {
    std::ofstream(folder_.path() / "take.raw", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }

  // "vanto_speech" plays 16-bit speech at 22050 Hz; ALSA's plug layer turns
  // it into the microphone's 8-bit 8000 Hz, as on a real sound card.
  std::string SpeechDeviceConfig() const {
    return "pcm.vanto_speech_file {\n"
           "  type file\n"
           "  slave.pcm \"null\"\n"
           "  file \"/dev/null\"\n"
           "  infile \"" +
           (folder_.path() / "speech.raw").string() +
           "\"\n"
           "  format \"raw\"\n"
           "}\n"
           "pcm.vanto_speech {\n"
           "  type plug\n"
           "  slave { pcm \"vanto_speech_file\" format S16_LE rate 22050 channels 1 }\n"
           "}\n";
  }

  // Speaks `text` with espeak-ng into the speech device's samples; false
  // when the synthesiser is not there.
  bool WriteSpeech(const std::string& text) {
    const std::string wav = (folder_.path() / "speech.wav").string();
    const std::string command = "espeak-ng -w '" + wav + "' '" + text + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) return false;
    std::ifstream in(wav, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::size_t data = bytes.find("data");
    if (data == std::string::npos || data + 8 > bytes.size()) return false;
    std::ofstream(folder_.path() / "speech.raw", std::ios::binary) << bytes.substr(data + 8);
    return true;
  }

  std::unique_ptr<MicrophoneMonitor> Monitor(const std::string& device = "vanto_test") {
    return std::make_unique<MicrophoneMonitor>(&movie_, ui_.Poster(), device, failures_);
  }

  std::string FailureText() {
    std::fflush(failures_);
    std::rewind(failures_);
    std::string text;
    for (int c; (c = std::fgetc(failures_)) != EOF;) text += static_cast<char>(c);
    return text;
  }

  vanto::testing::TempFolder folder_{"vanto-mic"};
  std::FILE* failures_ = nullptr;
  RecordingMovie movie_;
  UiQueue ui_;
};

TEST_F(MicrophoneTest, CapturedTakeIsReportedThroughTheUserInterfaceThread) {
  std::vector<std::uint8_t> take(30000, 0x80);
  const std::uint8_t pattern[] = {0x40, 0x7A, 0xFF, 0x00};
  for (int i = 500; i < 24000; ++i) take[i] = pattern[(i - 500) % 4];
  WriteTake(take);
  auto monitor = Monitor();

  monitor->HandleMicrophoneCommand("open");
  ASSERT_TRUE(monitor->record().device);
  const WaveFormat& format = monitor->record().format;
  EXPECT_EQ(format.format_tag, 1);
  EXPECT_EQ(format.channels, 1);
  EXPECT_EQ(format.samples_per_second, 8000u);
  EXPECT_EQ(format.average_bytes_per_second, 8000u);
  EXPECT_EQ(format.block_align, 1);
  EXPECT_EQ(format.bits_per_sample, 8);

  ASSERT_TRUE(ui_.RunUntil(1));
  std::string levels;
  for (int i = 0; i < 16; ++i) levels += "79,21,-111,-112,";
  EXPECT_EQ(movie_.requests(), std::vector<std::string>{kPrefix + levels + kSuffix});
  EXPECT_EQ(ui_.posted_from_ui(), 0u);  // built on the recording thread

  monitor->HandleMicrophoneCommand("close");
  EXPECT_FALSE(monitor->record().device);
  EXPECT_EQ(monitor->record().header.data, nullptr);
  ui_.Drain();
  EXPECT_EQ(movie_.requests().size(), 1u);
  EXPECT_EQ(FailureText(), "");
}

TEST_F(MicrophoneTest, SpokenWordsAreConvertedToTheMicrophoneFormatAndReported) {
  if (!WriteSpeech("one two three, ni hao")) GTEST_SKIP() << "espeak-ng cannot make speech here";
  auto monitor = Monitor("vanto_speech");
  ASSERT_TRUE(monitor->OpenMicrophone());
  ASSERT_TRUE(ui_.RunUntil(1));
  const std::string request = movie_.requests().at(0);
  ASSERT_EQ(request.compare(0, kPrefix.size(), kPrefix), 0);
  std::istringstream levels(
      request.substr(kPrefix.size(), request.size() - kPrefix.size() - kSuffix.size()));
  std::vector<int> values;
  for (int value; levels >> value;) {
    values.push_back(value);
    ASSERT_EQ(levels.get(), ',');
  }
  ASSERT_EQ(values.size(), 64u);
  EXPECT_GT(values[0], 4 + 16);  // the report starts at a loud sample
  for (int value : values) {
    EXPECT_GE(value, -128 + 16);
    EXPECT_LE(value, 127 + 16);
  }
  EXPECT_TRUE(monitor->CloseMicrophone());
}

TEST_F(MicrophoneTest, OpenWhileRecordingStartsAFreshTakeAndEachTakeReportsOnce) {
  auto monitor = Monitor();
  monitor->HandleMicrophoneCommand("open");
  ASSERT_TRUE(ui_.RunUntil(1));
  monitor->HandleMicrophoneCommand("open");
  ASSERT_TRUE(monitor->record().device);
  ASSERT_TRUE(ui_.RunUntil(2));
  monitor->HandleMicrophoneCommand("close");
  ui_.Drain();
  EXPECT_EQ(movie_.requests(), std::vector<std::string>(2, kPrefix + kSuffix));
}

TEST_F(MicrophoneTest, ArgumentsAreWholeWordsInAnyCase) {
  auto monitor = Monitor();
  for (const char* ignored : {"opened", " open", "", "openclose", "clos"}) {
    monitor->HandleMicrophoneCommand(ignored);
    EXPECT_FALSE(monitor->record().device) << ignored;
  }
  EXPECT_EQ(FailureText(), "");
  for (const char* open : {"Open", "OPEN", "open"}) {
    monitor->HandleMicrophoneCommand(open);
    EXPECT_TRUE(monitor->record().device) << open;
    monitor->HandleMicrophoneCommand("CLOSE");
    EXPECT_FALSE(monitor->record().device) << open;
  }
}

TEST_F(MicrophoneTest, MissingDeviceOpensNothingAndNeverReports) {
  auto monitor = Monitor("vanto_no_such_device");
  monitor->HandleMicrophoneCommand("open");
  EXPECT_FALSE(monitor->record().device);
  EXPECT_EQ(monitor->record().header.data, nullptr);
  EXPECT_FALSE(monitor->OpenMicrophone());
  ui_.Drain();
  EXPECT_EQ(ui_.posted(), 0u);
}

TEST_F(MicrophoneTest, CloseWithNothingOpenWritesTheStopFailure) {
  auto monitor = Monitor();
  EXPECT_FALSE(monitor->CloseMicrophone());
  monitor->HandleMicrophoneCommand("close");
  EXPECT_EQ(FailureText(), "waveInStop error 5\nwaveInStop error 5\n");
  EXPECT_FALSE(monitor->record().device);
  EXPECT_EQ(movie_.requests().size(), 0u);
}

// Closing right after opening stops the take part way; the report of the
// partial take must be built before the buffer goes (the sanitizer build
// catches a late read).
TEST_F(MicrophoneTest, ImmediateCloseAfterOpenIsSafeAndStillReportsOnce) {
  std::vector<std::uint8_t> take(30000, 0x40);
  WriteTake(take);
  auto monitor = Monitor();
  constexpr int kRounds = 150;
  for (int i = 0; i < kRounds; ++i) {
    ASSERT_TRUE(monitor->OpenMicrophone());
    ASSERT_TRUE(monitor->CloseMicrophone());
  }
  ui_.Drain();
  const std::vector<std::string> requests = movie_.requests();
  ASSERT_EQ(requests.size(), static_cast<std::size_t>(kRounds));
  for (const std::string& request : requests) {
    ASSERT_EQ(request.compare(0, kPrefix.size(), kPrefix), 0);
    ASSERT_EQ(request.substr(request.size() - kSuffix.size()), kSuffix);
    const std::string levels =
        request.substr(kPrefix.size(), request.size() - kPrefix.size() - kSuffix.size());
    // Whatever part of the take was recorded holds only the loud byte.
    for (std::size_t at = 0; at < levels.size(); at += 3) ASSERT_EQ(levels.substr(at, 3), "79,");
  }
}

TEST_F(MicrophoneTest, DestroyingTheMonitorWhileRecordingEndsTheTake) {
  {
    auto monitor = Monitor();
    ASSERT_TRUE(monitor->OpenMicrophone());
  }
  ui_.Drain();  // a report posted before the end still reaches the movie
  EXPECT_EQ(movie_.requests().size(), 1u);
  EXPECT_EQ(FailureText(), "");
}

}  // namespace
