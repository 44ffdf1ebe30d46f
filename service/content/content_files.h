// Which files of the content tree a learner needs, by kind of request. All
// paths are relative to the content tree and use '/'.
#pragma once

#include <string>
#include <vector>

namespace vanto::service {

inline constexpr int kStoryParts = 25;
inline constexpr int kStoryCount = 64;

// The course's fixed files: the character list, the course movies (the story
// islands included) and the fixed sounds.
std::vector<std::string> FixedFiles();

// The media of characters from .. to-1: their three sounds, the two
// per-character movies, the stroke data and the puzzle picture.
std::vector<std::string> DayFiles(int from, int to);

// The 25 parts of story n, its title page with its two sounds, preview and game.
std::vector<std::string> StoryFiles(int story);

// Puzzle pictures of characters from .. end-1.
std::vector<std::string> PuzzleFiles(int from, int end);

}  // namespace vanto::service
