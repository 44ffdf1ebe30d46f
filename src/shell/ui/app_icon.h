// The program's icon (resources/vanto/icon-*.png, built into the program).
#pragma once

#include <wx/iconbndl.h>

wxIconBundle VantoIcons();
