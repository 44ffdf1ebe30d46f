#include "updater/ui/load_dialog.h"

#include <wx/button.h>
#include <wx/datetime.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "platform/codepage.h"
#include "resources/update/strings.h"
#include "updater/update_engine.h"

namespace {

namespace res = vanto::resources;

wxString FromUtf8(std::string_view text) {
  return wxString::FromUTF8(text.data(), text.size());
}

// The window's font: a 12-point Song face; Noto Serif CJK stands in for
// "宋体" where the system has no font of that name.
wxFont DialogFont() {
  wxFont font(wxFontInfo(12).FaceName("Noto Serif CJK SC"));
  if (!font.IsOk()) font = wxFont(wxFontInfo(12).Family(wxFONTFAMILY_ROMAN));
  return font;
}

std::string_view FileOfLine(std::string_view line) {
  return line.substr(0, line.find('\t'));
}

// Today's date in UTC: year-month-day without leading zeros ("2012-6-10").
wxString UtcDateText() {
  const wxDateTime::Tm now = wxDateTime::Now().GetTm(wxDateTime::UTC);
  return wxString::Format("%d-%d-%d", now.year, static_cast<int>(now.mon) + 1, now.mday);
}

}  // namespace

CLoadDlg::CLoadDlg(const wxIconBundle& icons, std::function<void()> update_main)
    : update_main_(std::move(update_main)) {
  Create(nullptr, wxID_ANY, FromUtf8(res::kUpdaterCaption), wxDefaultPosition, wxDefaultSize,
         wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
  // Dialog units follow the window's font, so it is set before any control.
  SetFont(DialogFont());
  SetIcons(icons);
  BuildControls(icons.GetIcon(32, wxIconBundle::FALLBACK_NEAREST_LARGER));
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); }, wxID_OK);
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { EndModal(vanto::updater::kUpdateClosed); });
  // Escape would end the dialog as closing does; the window keeps Escape and
  // Enter from ending or restarting the run.
  Bind(wxEVT_CHAR_HOOK, [](wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key != WXK_ESCAPE && key != WXK_RETURN && key != WXK_NUMPAD_ENTER) event.Skip();
  });
  // The update starts without the user pressing OK, once the window shows.
  CallAfter([this] { OnOK(); });
}

// Template 102: 208 x 78 dialog units; the icon top left, the heading and
// the date beside it, the status line below them, the progress bar at the
// bottom. Sizers keep the texts apart whatever the font's real widths.
void CLoadDlg::BuildControls(const wxIcon& icon) {
  const auto du = [this](int x, int y) { return ConvertDialogToPixels(wxSize(x, y)); };
  const int margin = du(7, 7).x;
  wxBitmap picture;
  picture.CopyFromIcon(icon);
  auto* heading = new wxBoxSizer(wxHORIZONTAL);
  heading->Add(new wxStaticText(this, wxID_ANY, FromUtf8(res::kUpdatedHeading)));
  heading->AddSpacer(du(6, 0).x);
  heading->Add(new wxStaticText(this, 1000, UtcDateText()));
  status_ = new wxStaticText(this, 1003, FromUtf8(res::kStatusInitial), wxDefaultPosition,
                             wxDefaultSize, wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_MIDDLE);
  auto* texts = new wxBoxSizer(wxVERTICAL);
  texts->Add(heading);
  texts->AddSpacer(du(0, 8).y);
  texts->Add(status_, 0, wxEXPAND);
  auto* top = new wxBoxSizer(wxHORIZONTAL);
  top->Add(new wxStaticBitmap(this, wxID_ANY, picture), 0, wxRIGHT, margin);
  top->Add(texts, 1);
  progress_ = new wxGauge(this, 1002, 100, wxDefaultPosition, du(192, 11));
  progress_->Hide();
  auto* all = new wxBoxSizer(wxVERTICAL);
  all->Add(top, 1, wxEXPAND | wxALL, margin);
  all->Add(progress_, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, margin);
  SetSizer(all);
  ok_button_ = new wxButton(this, wxID_OK, FromUtf8(res::kOkButton));
  ok_button_->Hide();
  SetClientSize(du(208, 78));
  Layout();
  CentreOnScreen();
}

void CLoadDlg::OnOK() {
  ok_button_->Hide();
  progress_->Show();
  Layout();
  // The manifest fetch blocks this thread; let the window draw first.
  Update();
  if (update_main_) update_main_();
}

void CLoadDlg::OnDownloadNotice(int code, std::int64_t value, std::string_view line) {
  using namespace vanto::delivery;
  if (code == ID_DOWNLOAD_RANGE) {
    // The progress bar's range is a 16-bit value.
    progress_->SetRange(std::max(1, static_cast<int>(static_cast<std::uint16_t>(value))));
    progress_->SetValue(0);
  } else if (code == ID_DOWNLOAD_STEP) {
    progress_->SetValue(std::min(progress_->GetValue() + 1, progress_->GetRange()));
    // The status names the file; the rest of the manifest line (stamp,
    // digest, flags) means nothing to the reader.
    if (!line.empty()) status_->SetLabel(FromUtf8(vanto::platform::GbkToUtf8(FileOfLine(line))));
  } else if (code == ID_DOWNLOAD_DONE) {
    if (IsModal()) EndModal(static_cast<int>(value));
  }
}
