#include "shell/ui/app_icon.h"

#include <wx/bitmap.h>

#include <cstddef>

#include "app_icon_data.h"

wxIconBundle VantoIcons() {
  wxIconBundle icons;
  for (const EmbeddedIcon& icon : kVantoIcons) {
    wxIcon one;
    one.CopyFromBitmap(wxBitmap::NewFromPNGData(icon.data, icon.size));
    icons.AddIcon(one);
  }
  return icons;
}
