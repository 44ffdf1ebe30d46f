#include "shell/ui/reload_dialog.h"

#include <wx/dialog.h>
#include <wx/gauge.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <algorithm>

#include "platform/codepage.h"
#include "resources/vanto/strings.h"
#include "shell/ui/ui_trace.h"

// Template 131: 241 x 53 dialog units, the status line above the bar.
ReloadDialog::ReloadDialog(wxWindow* parent, vanto::delivery::UiDispatcher& ui)
    : dialog_(new wxDialog(parent, wxID_ANY,
                           wxString::FromUTF8(vanto::resources::kReloadDialogCaption),
                           wxDefaultPosition, wxDefaultSize, wxCAPTION)),
      status_(new wxStaticText(dialog_, 1004,
                               wxString::FromUTF8(vanto::resources::kLoadingStatusInitial),
                               dialog_->ConvertDialogToPixels(wxPoint(7, 7)),
                               dialog_->ConvertDialogToPixels(wxSize(227, 12)),
                               wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_MIDDLE)),
      progress_(new wxGauge(dialog_, 1002, 1, dialog_->ConvertDialogToPixels(wxPoint(7, 25)),
                            dialog_->ConvertDialogToPixels(wxSize(227, 18)))),
      wait_(ui, [this](int, std::int64_t, std::string_view) { RefreshControls(); }) {
  dialog_->SetClientSize(dialog_->ConvertDialogToPixels(wxSize(241, 53)));
  dialog_->CentreOnParent();
  dialog_->Bind(wxEVT_CHAR_HOOK, [](wxKeyEvent& event) {
    int key = event.GetKeyCode();
    if (key != WXK_ESCAPE && key != WXK_RETURN && key != WXK_NUMPAD_ENTER) event.Skip();
  });
  dialog_->Bind(wxEVT_CLOSE_WINDOW, [](wxCloseEvent& event) {
    if (event.CanVeto()) event.Veto();
  });
}

ReloadDialog::~ReloadDialog() {
  dialog_->Destroy();
}

void ReloadDialog::DoModal() {
  dialog_->Show();
  UiTrace({"Window", "reload dialog shown"});
  wxWindowDisabler others(dialog_);
  wait_.RunModal();
  dialog_->Hide();
}

void ReloadDialog::OnDownloadNotice(int code, std::int64_t value, std::string_view line) {
  wait_.OnDownloadNotice(code, value, line);
}

void ReloadDialog::RefreshControls() {
  int range = std::max(wait_.range(), 1);
  progress_->SetRange(range);
  progress_->SetValue(std::clamp(wait_.position(), 0, range));
  status_->SetLabel(wxString::FromUTF8(vanto::platform::GbkToUtf8(wait_.status_text())));
}
