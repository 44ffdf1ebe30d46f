#include "piece_cutter.h"

#include <gd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace puzzle {
namespace {

struct ImageDeleter {
  void operator()(gdImagePtr image) const { gdImageDestroy(image); }
};
using Image = std::unique_ptr<gdImage, ImageDeleter>;

struct GdDeleter {
  void operator()(void* bytes) const { gdFree(bytes); }
};

// Pictures larger than this are refused unread.
constexpr std::streamoff kMaxPictureBytes = 64 * 1024 * 1024;

bool ReadFile(const std::string& path, std::vector<char>* bytes) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff size = in.tellg();
  if (size < 0 || size > kMaxPictureBytes) return false;
  bytes->resize(static_cast<std::size_t>(size));
  in.seekg(0);
  return static_cast<bool>(in.read(bytes->data(), size));
}

bool WriteFile(const std::string& path, const void* bytes, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
  out.close();
  return !out.fail();
}

// JPEG or PNG, told apart by their first bytes (the pictures are named .jpg
// whatever they hold).
Image DecodePicture(std::vector<char>& bytes) {
  if (bytes.size() < 8) return nullptr;
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
  const int size = static_cast<int>(bytes.size());
  if (b[0] == 0xFF && b[1] == 0xD8) return Image(gdImageCreateFromJpegPtrEx(size, bytes.data(), 1));
  if (b[0] == 0x89 && b[1] == 'P' && b[2] == 'N' && b[3] == 'G')
    return Image(gdImageCreateFromPngPtr(size, bytes.data()));
  return nullptr;
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string PieceName(int index) {
  return std::to_string(index) + ".png";
}

struct Piece {
  int row, column, x, y, width, height;
};

// Columns and rows share the picture evenly; the last ones take the rest.
std::vector<Piece> LayOutPieces(int width, int height, int grid) {
  std::vector<Piece> pieces;
  const int piece_width = width / grid, piece_height = height / grid;
  for (int row = 0; row < grid; ++row) {
    for (int column = 0; column < grid; ++column) {
      const int x = column * piece_width, y = row * piece_height;
      const int w = column == grid - 1 ? width - x : piece_width;
      const int h = row == grid - 1 ? height - y : piece_height;
      pieces.push_back({row, column, x, y, w, h});
    }
  }
  return pieces;
}

bool WritePiece(gdImagePtr picture, const Piece& piece, const std::string& path) {
  Image image(gdImageCreateTrueColor(piece.width, piece.height));
  if (!image) return false;
  gdImageCopy(image.get(), picture, 0, 0, piece.x, piece.y, piece.width, piece.height);
  int size = 0;
  std::unique_ptr<void, GdDeleter> png(gdImagePngPtr(image.get(), &size));
  return png && size > 0 && WriteFile(path, png.get(), static_cast<std::size_t>(size));
}

std::string DescribeGrid(int width, int height, int grid, const std::vector<Piece>& pieces) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
  xml += "<puzzle rows=\"" + std::to_string(grid) + "\" cols=\"" + std::to_string(grid) +
         "\" width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\">\n";
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const Piece& p = pieces[i];
    xml += "  <piece id=\"" + std::to_string(i) + "\" row=\"" + std::to_string(p.row) +
           "\" col=\"" + std::to_string(p.column) + "\" x=\"" + std::to_string(p.x) + "\" y=\"" +
           std::to_string(p.y) + "\" width=\"" + std::to_string(p.width) + "\" height=\"" +
           std::to_string(p.height) + "\" file=\"" + PieceName(static_cast<int>(i)) + "\"/>\n";
  }
  xml += "</puzzle>\n";
  return xml;
}

}  // namespace

int GridForNumber(int number) {
  return number >= kMinGrid && number <= kMaxGrid ? number : kDefaultGrid;
}

std::string NativeFromHostPath(const std::string& host_path) {
  std::string path = host_path;
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

bool CutPicture(const std::string& picture, int grid, const std::string& folder) {
  std::vector<char> bytes;
  if (!ReadFile(picture, &bytes)) return false;
  Image image = DecodePicture(bytes);
  if (!image) return false;
  const int width = gdImageSX(image.get()), height = gdImageSY(image.get());
  if (width < grid || height < grid) return false;
  const std::vector<Piece> pieces = LayOutPieces(width, height, grid);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (!WritePiece(image.get(), pieces[i], Join(folder, PieceName(static_cast<int>(i)))))
      return false;
  }
  for (int i = grid * grid; i < kMaxGrid * kMaxGrid; ++i)
    std::remove(Join(folder, PieceName(i)).c_str());
  // Written last: a complete description means a complete set of pieces.
  const std::string xml = DescribeGrid(width, height, grid, pieces);
  return WriteFile(Join(folder, "puzzle.xml"), xml.data(), xml.size());
}

}  // namespace puzzle
