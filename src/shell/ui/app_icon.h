// Program icons built into the program: the host's (resources/vanto/icon-*.png)
// and a bundle made from any set of embedded PNG pictures.
#pragma once

#include <wx/iconbndl.h>

#include <cstddef>
#include <initializer_list>

struct PngPicture {
  const unsigned char* data;
  std::size_t size;
};

// One icon per picture, for the toolkit to pick the size it needs.
wxIconBundle IconBundleFromPngs(std::initializer_list<PngPicture> pictures);

wxIconBundle VantoIcons();
