// CReloadDlg on screen: "正在下载必要的文件， 请稍候..." with a status line and a
// progress bar, modal over the main window while a manifest's files
// download. It has no close box, and Escape and Enter do nothing; the done
// notice ends it.
#pragma once

#include <memory>

#include "delivery/reload_wait.h"
#include "shell/front_end/reload_dialogs.h"

class wxDialog;
class wxGauge;
class wxStaticText;
class wxWindow;

class ReloadDialog : public CReloadDlg {
 public:
  ReloadDialog(wxWindow* parent, vanto::delivery::UiDispatcher& ui);
  ~ReloadDialog() override;

  void DoModal() override;
  void OnDownloadNotice(int code, std::int64_t value, std::string_view line) override;
  bool WindowExists() const override { return wait_.WindowExists(); }

 private:
  void RefreshControls();

  wxDialog* dialog_;
  wxStaticText* status_;
  wxGauge* progress_;
  vanto::delivery::ReloadWait wait_;
};

class ReloadDialogs : public ReloadDialogFactory {
 public:
  ReloadDialogs(wxWindow* parent, vanto::delivery::UiDispatcher& ui) : parent_(parent), ui_(ui) {}
  std::unique_ptr<CReloadDlg> CreateReloadDialog() override {
    return std::make_unique<ReloadDialog>(parent_, ui_);
  }

 private:
  wxWindow* parent_;
  vanto::delivery::UiDispatcher& ui_;
};
