// Cuts a picture into a grid of pieces and writes them, with a description
// of the grid, into a folder.
#pragma once

#include <string>

namespace puzzle {

// Pieces per side used when the requested number is out of range.
inline constexpr int kDefaultGrid = 3;
inline constexpr int kMinGrid = 2;
inline constexpr int kMaxGrid = 10;

// The grid size for a requested number: 2 to 10 as asked, anything else 3.
int GridForNumber(int number);

// Host path (backslashes) to a native one ('/').
std::string NativeFromHostPath(const std::string& host_path);

// Reads the JPEG or PNG picture at `picture`, cuts it into grid x grid
// pieces and writes "<row-major index>.png" for each and "puzzle.xml" into
// `folder` (native paths; `folder` may end with '/'). Piece files of larger
// earlier grids are removed. False when the picture cannot be read or a file
// cannot be written.
bool CutPicture(const std::string& picture, int grid, const std::string& folder);

}  // namespace puzzle
