// The puzzle plug-in: a shared library in the program folder that exports
// MakePuzzle, loaded at run time when the movie starts a puzzle.
//
//   int MakePuzzle(const char* picture, int number, const char* output_folder);
//
// Plain C calling convention. `picture` and `output_folder` are host paths
// (code page 936, backslashes, relative to the program folder, the folder
// with its trailing backslash); `number` is the movie's argument read as a
// decimal integer. A result other than 0 means the pieces were written.
#pragma once

#include <string>

#if defined(_WIN32)
inline constexpr const char* kPuzzleLibraryName = "Puzzle.dll";
#else
inline constexpr const char* kPuzzleLibraryName = "libPuzzle.so";
#endif

inline constexpr const char* kMakePuzzleName = "MakePuzzle";

extern "C" {
typedef int (*MakePuzzleFunction)(const char* picture, int number, const char* output_folder);
}

// Native path of the plug-in: kPuzzleLibraryName in the program folder,
// where the Windows loader would find it first.
std::string DefaultPuzzleLibraryPath();
