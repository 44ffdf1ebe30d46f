#include "service/content/picture_painter.h"

#include <gd.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

namespace vanto::service {
namespace {

constexpr int kSize = 320;
constexpr double kPoints = 150.0;

using Image = std::unique_ptr<gdImage, decltype(&gdImageDestroy)>;

bool WriteJpeg(gdImagePtr image, const std::filesystem::path& file) {
  FILE* out = std::fopen(file.c_str(), "wb");
  if (!out) return false;
  gdImageJpeg(image, out, 88);
  return std::fclose(out) == 0;
}

}  // namespace

bool PaintCharacter(const std::string& utf8_text, const std::string& font,
                    const std::filesystem::path& target) {
  Image image(gdImageCreateTrueColor(kSize, kSize), gdImageDestroy);
  if (!image) return false;
  gdImageFilledRectangle(image.get(), 0, 0, kSize - 1, kSize - 1, gdTrueColor(0xFF, 0xF4, 0xD6));
  gdImageRectangle(image.get(), 6, 6, kSize - 7, kSize - 7, gdTrueColor(0x2D, 0x92, 0x9D));
  gdFTStringExtra extra{};
  extra.flags = gdFTEX_FONTCONFIG;
  int box[8];
  char* failure = gdImageStringFTEx(nullptr, box, 0, const_cast<char*>(font.c_str()), kPoints, 0, 0,
                                    0, const_cast<char*>(utf8_text.c_str()), &extra);
  if (failure) {
    extra.flags = 0;  // not a fontconfig pattern: try it as a file path
    failure = gdImageStringFTEx(nullptr, box, 0, const_cast<char*>(font.c_str()), kPoints, 0, 0, 0,
                                const_cast<char*>(utf8_text.c_str()), &extra);
  }
  if (failure) return false;
  int width = box[2] - box[0];
  int height = box[1] - box[7];
  int x = (kSize - width) / 2 - box[0];
  int y = (kSize - height) / 2 - box[7];
  gdImageStringFTEx(image.get(), box, gdTrueColor(0x20, 0x20, 0x60),
                    const_cast<char*>(font.c_str()), kPoints, 0, x, y,
                    const_cast<char*>(utf8_text.c_str()), &extra);
  auto part = target;
  part += "." + std::to_string(getpid()) + "." + std::to_string(gettid()) + ".part";
  std::error_code error;
  bool ok = WriteJpeg(image.get(), part);
  if (ok) {
    std::filesystem::rename(part, target, error);
    ok = !error;
  }
  std::filesystem::remove(part, error);
  return ok;
}

}  // namespace vanto::service
