#include "shell/ui/app_icon.h"

#include <wx/bitmap.h>

#include "app_icon_data.h"

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
  wxIconBundle icons;
  for (const EmbeddedIcon& icon : kVantoIcons) {
    icons.AddIcon(IconFromPng(icon.data, icon.size));
  }
  return icons;
}
