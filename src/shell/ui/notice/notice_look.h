// Colours and fonts of the notice window. Debian's Noto CJK faces stand in
// for the Windows fonts the window was drawn with: Noto Serif CJK SC for
// "宋体", Noto Sans Mono CJK SC for "Fixedsys".
#pragma once

#include <wx/colour.h>
#include <wx/font.h>

namespace notice_look {

inline const wxColour kHeaderColour(0x2D, 0x92, 0x9D);
inline const wxColour kBackgroundColour(0xFA, 0xFA, 0xFA);
inline const wxColour kCountColour(0xFF, 0xCD, 0x00);

// Sizes in points: 12 and 27 points are the 16 and 36 pixels the window was
// laid out for, at the usual 96 dots per inch.
// Bold Song face, 16 pixels: the texts of the window.
wxFont SongFont();
// Regular fixed-width face, 36 pixels: the learned-character count.
wxFont CountFont();

}  // namespace notice_look
