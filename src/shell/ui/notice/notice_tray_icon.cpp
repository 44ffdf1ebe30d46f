#include "shell/ui/notice/notice_tray_icon.h"

NoticeTrayIcon::NoticeTrayIcon(const wxIcon& icon, const wxString& tip,
                               std::function<void()> on_click) {
  installed_ = icon.IsOk() && SetIcon(icon, tip);
  Bind(wxEVT_TASKBAR_LEFT_UP, [on_click](wxTaskBarIconEvent&) {
    if (on_click) on_click();
  });
}

NoticeTrayIcon::~NoticeTrayIcon() {
  if (installed_) RemoveIcon();
}
