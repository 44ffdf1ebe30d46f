// The updater's window: the date of the update, a status line and a progress
// bar. It starts the update as soon as it is shown and ends with the run's
// completion code (or kUpdateClosed when the user closes it).
#pragma once

#include <wx/dialog.h>
#include <wx/iconbndl.h>

#include <cstdint>
#include <functional>
#include <string_view>

#include "delivery/progress_target.h"

class wxGauge;
class wxStaticText;
class wxButton;

class CLoadDlg : public wxDialog, public vanto::delivery::ProgressTarget {
 public:
  // `update_main` fetches the manifest and starts the worker (the OK
  // command); it runs once the window is on screen.
  CLoadDlg(const wxIconBundle& icons, std::function<void()> update_main);

  void OnDownloadNotice(int code, std::int64_t value, std::string_view line) override;
  bool WindowExists() const override { return IsShown(); }

 private:
  void BuildControls(const wxIcon& icon);
  void OnOK();

  std::function<void()> update_main_;
  wxGauge* progress_ = nullptr;
  wxStaticText* status_ = nullptr;
  wxButton* ok_button_ = nullptr;
};
