// The tray icon that stays while the notice window lives. A click (left
// button released) brings the window back to the front.
#pragma once

#include <wx/bmpbndl.h>
#include <wx/icon.h>
#include <wx/taskbar.h>

#include <functional>

class NoticeTrayIcon : public wxTaskBarIcon {
 public:
  NoticeTrayIcon(const wxIcon& icon, const wxString& tip, std::function<void()> on_click);
  ~NoticeTrayIcon() override;

  // Whether the icon could be added (there may be no notification area).
  bool installed() const { return installed_; }

 private:
  bool installed_ = false;
};
