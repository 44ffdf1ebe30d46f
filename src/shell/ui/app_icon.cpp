#include "shell/ui/app_icon.h"

#include <wx/bitmap.h>

extern const unsigned char vanto_icon_icon_16_png[], vanto_icon_icon_32_png[],
    vanto_icon_icon_48_png[], vanto_icon_icon_128_png[];
extern const unsigned vanto_icon_icon_16_png_size, vanto_icon_icon_32_png_size,
    vanto_icon_icon_48_png_size, vanto_icon_icon_128_png_size;

namespace {

wxIcon IconFromPng(const unsigned char* data, std::size_t size) {
  wxIcon icon;
  icon.CopyFromBitmap(wxBitmap::NewFromPNGData(data, size));
  return icon;
}

}  // namespace

wxIconBundle IconBundleFromPngs(std::initializer_list<PngPicture> pictures) {
  wxIconBundle icons;
  for (const PngPicture& picture : pictures) icons.AddIcon(IconFromPng(picture.data, picture.size));
  return icons;
}

wxIconBundle VantoIcons() {
  return IconBundleFromPngs({{vanto_icon_icon_16_png, vanto_icon_icon_16_png_size},
                             {vanto_icon_icon_32_png, vanto_icon_icon_32_png_size},
                             {vanto_icon_icon_48_png, vanto_icon_icon_48_png_size},
                             {vanto_icon_icon_128_png, vanto_icon_icon_128_png_size}});
}
