// The puzzle bridge: chooses the puzzle picture, has its character document
// written, lets the puzzle plug-in cut the picture, and answers the movie
// with one cbPuzzle call-back per command.
//
// Arguments of the movie's "puzzle" command: "begin" loads the plug-in,
// "exit" unloads it, anything else is a number handed to the plug-in. The
// reply payload is the argument, preceded by "error_" when the step failed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "shell/devices/puzzle_plugin.h"
#include "shell/front_end/movie_control.h"

class CStudy;

// Where the puzzle's pieces go, and how its pictures are named.
inline constexpr const char* kPuzzleOutputFolder = "hlg\\puzzle\\";
inline constexpr const char* kPuzzlePictureFormat = "pz\\%d.jpg";

struct PuzzleRecord {
  void* module = nullptr;                    // the plug-in while loaded
  MakePuzzleFunction make_puzzle = nullptr;  // its MakePuzzle, null when not resolved
  MovieControl* movie = nullptr;             // target of the reply
  std::int32_t last_index = 6;               // highest picture number searched
  std::int32_t current_index = 6;            // picture number to try next
};

class PuzzleBridge {
 public:
  // Writes "hlg\puzzle\hanzi.xml" for a picture number.
  using HanziWriter = std::function<void(int index, const CStudy& study)>;

  // `failure_output` receives the error code of a failed plug-in load.
  PuzzleBridge(MovieControl* movie, HanziWriter write_hanzi,
               std::string library_path = DefaultPuzzleLibraryPath(),
               std::FILE* failure_output = stdout);
  ~PuzzleBridge();  // unloads the plug-in
  PuzzleBridge(const PuzzleBridge&) = delete;
  PuzzleBridge& operator=(const PuzzleBridge&) = delete;

  void HandlePuzzle(std::string_view argument, const CStudy& study);

  // Both picture indexes to the same number (a new search range).
  void SetPictureIndexes(std::int32_t index);

  const PuzzleRecord& record() const { return record_; }

 private:
  bool LoadPlugin();
  bool UnloadPlugin();
  bool CutPicture(std::string_view argument, const CStudy& study);
  std::string FindPicture();
  void StepPictureDown();

  PuzzleRecord record_;
  HanziWriter write_hanzi_;
  std::string library_path_;
  std::FILE* failure_output_;
};
