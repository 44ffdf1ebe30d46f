#include "shell/ui/notice/notice_look.h"

namespace notice_look {

wxFont SongFont() {
  return wxFont(wxFontInfo(12).FaceName("Noto Serif CJK SC").Bold());
}

wxFont CountFont() {
  return wxFont(wxFontInfo(27).FaceName("Noto Sans Mono CJK SC"));
}

}  // namespace notice_look
