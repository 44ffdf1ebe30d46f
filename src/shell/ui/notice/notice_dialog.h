// The notice window at exit: a borderless window in the bottom-right corner
// with a drawn header (the learned-character count), the notice page, a
// progress bar, a close button and a tray icon. It shows what CWebDlg
// decides and hands it the user's and the page's events.
#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include <memory>

#include "shell/popup_window.h"
#include "shell/ui/notice/notice_tray_icon.h"
#include "shell/ui/notice/notice_web_view.h"

class wxGauge;
class CWebButton;

class NoticeDialog : public wxDialog, public PopupView {
 public:
  // `on_end` is called once when the window ends, with its result.
  NoticeDialog(wxWindow* parent, CWebDlg& popup, const wxIcon& tray_icon,
               std::function<void(int)> on_end);
  ~NoticeDialog() override;

  // Shows the window now if no page has revealed it yet (the page never
  // loaded), otherwise brings it to the front.
  void ShowNow();

  // PopupView
  void Navigate(const std::string& url) override;
  void Reveal() override;
  void Hide() override;
  void ShowProgress(int range, int position) override;
  void ShowDownloadDone() override;
  void End(int result) override;

 private:
  void OnPaint();
  void OnLeftDown(const wxMouseEvent& event);
  void OnMouseMove(const wxMouseEvent& event);
  void OnLeftUp();
  void OnFadeStep();

  CWebDlg& popup_;
  std::function<void(int)> on_end_;
  wxBitmap background_;
  std::unique_ptr<NoticeWebView> browser_;
  wxGauge* progress_ = nullptr;
  CWebButton* close_button_ = nullptr;
  std::unique_ptr<NoticeTrayIcon> tray_;
  wxTimer fade_timer_;
  int alpha_ = 0;
  bool dragging_ = false;
  wxPoint drag_;
};
