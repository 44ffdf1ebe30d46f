#include "shell/devices/puzzle_bridge.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "learner/study.h"
#include "recording_movie.h"
#include "temp_folder.h"

#if VANTO_TEST_HAS_GD
#include <gd.h>
#endif

namespace {

namespace fs = std::filesystem;
using vanto::testing::RecordingMovie;

std::string Reply(const std::string& payload) {
  return "<invoke name=\"cbPuzzle\"><arguments><string>" + payload +
         "</string></arguments></invoke>";
}

// Runs each test in a fresh program folder made the current directory.
class PuzzleBridgeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(folder_.path() / "pz");
    failures_ = std::tmpfile();
  }

  void TearDown() override { std::fclose(failures_); }

  std::unique_ptr<PuzzleBridge> Bridge(const std::string& library) {
    auto bridge = std::make_unique<PuzzleBridge>(
        &movie_, [this](int index, const CStudy&) { hanzi_indexes_.push_back(index); }, library,
        failures_);
    return bridge;
  }

  std::string FailureText() {
    std::fflush(failures_);
    std::rewind(failures_);
    std::string text;
    for (int c; (c = std::fgetc(failures_)) != EOF;) text += static_cast<char>(c);
    return text;
  }

  // A 40 x 30 picture whose top-left 20 x 15 quarter is red, the rest blue.
  void WritePicture(int number) {
#if VANTO_TEST_HAS_GD
    gdImagePtr image = gdImageCreateTrueColor(40, 30);
    gdImageFilledRectangle(image, 0, 0, 39, 29, gdTrueColor(0, 0, 255));
    gdImageFilledRectangle(image, 0, 0, 19, 14, gdTrueColor(255, 0, 0));
    int size = 0;
    void* jpeg = gdImageJpegPtr(image, &size, 95);
    std::ofstream(folder_.path() / "pz" / (std::to_string(number) + ".jpg"), std::ios::binary)
        .write(static_cast<const char*>(jpeg), size);
    gdFree(jpeg);
    gdImageDestroy(image);
#else
    std::ofstream(folder_.path() / "pz" / (std::to_string(number) + ".jpg")) << "not a picture";
#endif
  }

  vanto::testing::WorkingFolder folder_{"vanto-puzzle"};
  std::FILE* failures_ = nullptr;
  RecordingMovie movie_;
  CStudy study_;
  std::vector<int> hanzi_indexes_;
};

TEST(PuzzlePlugin, IsLookedForInTheProgramFolder) {
  const fs::path program = fs::canonical("/proc/self/exe");
  EXPECT_EQ(DefaultPuzzleLibraryPath(), (program.parent_path() / kPuzzleLibraryName).string());
}

TEST_F(PuzzleBridgeTest, MissingPluginRepliesWithErrorsAndWritesTheLoadError) {
  auto bridge = Bridge((folder_.path() / kPuzzleLibraryName).string());
  WritePicture(6);
  bridge->HandlePuzzle("begin", study_);
  bridge->HandlePuzzle("7", study_);
  bridge->HandlePuzzle("exit", study_);
  EXPECT_EQ(movie_.requests(), (std::vector<std::string>{Reply("error_begin"), Reply("error_7"),
                                                         Reply("error_exit")}));
  EXPECT_EQ(FailureText(), "2\n");  // no such file
  EXPECT_EQ(bridge->record().module, nullptr);
  // The picture is still chosen and its character document written.
  EXPECT_EQ(hanzi_indexes_, std::vector<int>{6});
  EXPECT_EQ(bridge->record().current_index, 6);
}

TEST_F(PuzzleBridgeTest, LibraryWithoutEntryPointStaysLoadedAndKeepsFailing) {
  auto bridge = Bridge(VANTO_PLUGIN_WITHOUT_ENTRY);
  bridge->HandlePuzzle("Begin", study_);
  void* module = bridge->record().module;
  EXPECT_NE(module, nullptr);
  EXPECT_EQ(bridge->record().make_puzzle, nullptr);
  bridge->HandlePuzzle("BEGIN", study_);
  EXPECT_EQ(bridge->record().module, module);
  bridge->HandlePuzzle("EXIT", study_);
  EXPECT_EQ(bridge->record().module, nullptr);
  bridge->HandlePuzzle("exit", study_);
  EXPECT_EQ(movie_.requests(), (std::vector<std::string>{Reply("error_Begin"), Reply("error_BEGIN"),
                                                         Reply("EXIT"), Reply("error_exit")}));
  EXPECT_EQ(FailureText(), "");
}

TEST_F(PuzzleBridgeTest, RepliesEchoTheArgumentXmlEscaped) {
  auto bridge = Bridge((folder_.path() / "none.so").string());
  bridge->HandlePuzzle("<b>&amp;", study_);
  EXPECT_EQ(movie_.requests(), std::vector<std::string>{Reply("error_&lt;b&gt;&amp;amp;")});
}

#ifdef VANTO_PUZZLE_PLUGIN

TEST_F(PuzzleBridgeTest, PluginCutsTheCurrentPictureAndTheIndexWalksDown) {
  auto bridge = Bridge(VANTO_PUZZLE_PLUGIN);
  bridge->SetPictureIndexes(40);
  WritePicture(40);
  bridge->HandlePuzzle("begin", study_);
  void* module = bridge->record().module;
  bridge->HandlePuzzle("begin", study_);
  EXPECT_EQ(bridge->record().module, module);  // loaded once

  bridge->HandlePuzzle("4", study_);
  EXPECT_EQ(movie_.requests(),
            (std::vector<std::string>{Reply("begin"), Reply("begin"), Reply("4")}));
  EXPECT_EQ(hanzi_indexes_, std::vector<int>{40});
  EXPECT_EQ(bridge->record().current_index, 39);
  EXPECT_EQ(bridge->record().last_index, 40);
  EXPECT_EQ(FailureText(), "");

#if VANTO_TEST_HAS_GD
  // Four by four pieces, the last row and column taking the remainder.
  const fs::path out = folder_.path() / "hlg" / "puzzle";
  for (int i = 0; i < 16; ++i) EXPECT_TRUE(fs::exists(out / (std::to_string(i) + ".png"))) << i;
  EXPECT_FALSE(fs::exists(out / "16.png"));
  std::ifstream xml_in(out / "puzzle.xml");
  const std::string xml{std::istreambuf_iterator<char>(xml_in), std::istreambuf_iterator<char>()};
  EXPECT_NE(xml.find("<puzzle rows=\"4\" cols=\"4\" width=\"40\" height=\"30\">"),
            std::string::npos);
  EXPECT_NE(xml.find("<piece id=\"15\" row=\"3\" col=\"3\" x=\"30\" y=\"21\" width=\"10\" "
                     "height=\"9\" file=\"15.png\"/>"),
            std::string::npos);
  FILE* first = std::fopen((out / "0.png").c_str(), "rb");
  ASSERT_NE(first, nullptr);
  gdImagePtr piece = gdImageCreateFromPng(first);
  std::fclose(first);
  ASSERT_NE(piece, nullptr);
  EXPECT_EQ(gdImageSX(piece), 10);
  EXPECT_EQ(gdImageSY(piece), 7);
  const int color = gdImageGetTrueColorPixel(piece, 5, 3);
  EXPECT_GT(gdTrueColorGetRed(color), 200);
  EXPECT_LT(gdTrueColorGetBlue(color), 60);
  gdImageDestroy(piece);

  // A smaller grid afterwards leaves no stale pieces behind.
  WritePicture(39);
  bridge->HandlePuzzle("2", study_);
  EXPECT_TRUE(fs::exists(out / "3.png"));
  EXPECT_FALSE(fs::exists(out / "4.png"));
  EXPECT_EQ(bridge->record().current_index, 38);
#endif
}

#if VANTO_TEST_HAS_GD
TEST_F(PuzzleBridgeTest, SearchSkipsMissingPicturesAndWrapsToTheLastIndex) {
  auto bridge = Bridge(VANTO_PUZZLE_PLUGIN);
  bridge->HandlePuzzle("begin", study_);
  WritePicture(38);
  WritePicture(0);
  bridge->SetPictureIndexes(40);
  bridge->HandlePuzzle("3", study_);  // 40 and 39 are missing
  EXPECT_EQ(bridge->record().current_index, 37);
  bridge->HandlePuzzle("3", study_);  // 37 down to 1 are missing: picture 0
  EXPECT_EQ(bridge->record().current_index, 40);
  EXPECT_EQ(hanzi_indexes_, (std::vector<int>{38, 0}));
  EXPECT_EQ(movie_.requests(), (std::vector<std::string>{Reply("begin"), Reply("3"), Reply("3")}));
}

TEST_F(PuzzleBridgeTest, ArgumentsThatAreNotWordsAreNumbers) {
  auto bridge = Bridge(VANTO_PUZZLE_PLUGIN);
  WritePicture(6);
  WritePicture(5);
  bridge->HandlePuzzle("begin", study_);
  bridge->HandlePuzzle(" begin", study_);  // a number: 0, the plug-in's default grid
  bridge->HandlePuzzle("2<x", study_);
  EXPECT_EQ(movie_.requests(),
            (std::vector<std::string>{Reply("begin"), Reply(" begin"), Reply("2&lt;x")}));
  EXPECT_TRUE(fs::exists(folder_.path() / "hlg" / "puzzle" / "3.png"));
  EXPECT_FALSE(fs::exists(folder_.path() / "hlg" / "puzzle" / "4.png"));
}
#endif

TEST_F(PuzzleBridgeTest, FailedCutKeepsTheIndex) {
  auto bridge = Bridge(VANTO_PUZZLE_PLUGIN);
  bridge->HandlePuzzle("begin", study_);
  bridge->SetPictureIndexes(5);  // no pictures at all
  bridge->HandlePuzzle("3", study_);
  std::ofstream(folder_.path() / "pz" / "5.jpg") << "not a picture";
  bridge->HandlePuzzle("3", study_);
  EXPECT_EQ(bridge->record().current_index, 5);
  EXPECT_EQ(hanzi_indexes_, (std::vector<int>{5, 5}));
  EXPECT_EQ(movie_.requests(),
            (std::vector<std::string>{Reply("begin"), Reply("error_3"), Reply("error_3")}));
}

#endif  // VANTO_PUZZLE_PLUGIN

}  // namespace
