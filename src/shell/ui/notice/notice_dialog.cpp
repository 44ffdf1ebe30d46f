#include "shell/ui/notice/notice_dialog.h"

#include <wx/dcbuffer.h>
#include <wx/display.h>
#include <wx/gauge.h>
#include <wx/image.h>

#include "platform/native_path.h"
#include "resources/vanto/strings.h"
#include "shell/ui/notice/notice_look.h"
#include "shell/ui/notice/web_button.h"

namespace {

namespace res = vanto::resources;

constexpr int kWidth = 320;
constexpr int kHeight = 360;
constexpr int kHeaderHeight = 112;
constexpr int kFadeMilliseconds = 600;
constexpr int kFadeStepMilliseconds = 30;

wxString Text(const char* utf8) {
  return wxString::FromUTF8(utf8);
}

// A picture from the program folder; an invalid bitmap when it is missing
// or unreadable.
wxBitmap LoadPicture(const char* name) {
  if (!wxImage::FindHandler(wxBITMAP_TYPE_JPEG)) wxImage::AddHandler(new wxJPEGHandler);
  const wxString path = wxString::FromUTF8(vanto::platform::NativePath(name));
  wxImage image;
  if (!wxFileExists(path) || !image.LoadFile(path, wxBITMAP_TYPE_ANY)) return wxBitmap();
  return wxBitmap(image);
}

}  // namespace

NoticeDialog::NoticeDialog(wxWindow* parent, CWebDlg& popup, const wxIcon& tray_icon,
                           std::function<void(int)> on_end)
    : popup_(popup), on_end_(std::move(on_end)), fade_timer_(this) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Create(parent, wxID_ANY, Text(res::kProgramTitle), wxDefaultPosition, wxSize(kWidth, kHeight),
         wxBORDER_SIMPLE | wxSTAY_ON_TOP);
  background_ = LoadPicture("popbox.jpg");
  browser_ = std::make_unique<NoticeWebView>(
      this, NoticeWebView::Events{
                [this] { popup_.OnDocumentComplete(true); },
                [this](const std::string& url) { popup_.OnBeforeNavigate(url); },
                [this](const std::string& url) { popup_.OnNavigateError(url); },
            });
  browser_->window()->SetSize(0, kHeaderHeight, kWidth, 160);
  progress_ = new wxGauge(this, 1002, 100, wxPoint(20, 320), wxSize(280, 16));
  close_button_ =
      new CWebButton(this, LoadPicture("close.jpg"), [this] { popup_.OnCloseButton(); });
  close_button_->SetPosition(wxPoint(282, 0));
  tray_ =
      std::make_unique<NoticeTrayIcon>(tray_icon, Text(res::kProgramTitle), [this] { ShowNow(); });
  Bind(wxEVT_PAINT, [this](wxPaintEvent&) { OnPaint(); });
  Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) { OnLeftDown(event); });
  Bind(wxEVT_MOTION, [this](wxMouseEvent& event) { OnMouseMove(event); });
  Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) { OnLeftUp(); });
  Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { dragging_ = false; });
  Bind(wxEVT_TIMER, [this](wxTimerEvent&) { OnFadeStep(); });
  // The window is closed only through its close button, the page or the
  // end of the download.
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { popup_.OnCloseButton(); });
  Bind(wxEVT_CHAR_HOOK, [](wxKeyEvent& event) {
    if (event.GetKeyCode() != WXK_ESCAPE) event.Skip();
  });
}

NoticeDialog::~NoticeDialog() {
  fade_timer_.Stop();
}

void NoticeDialog::ShowNow() {
  if (!popup_.page_shown()) {
    popup_.OnDocumentComplete(true);
    return;
  }
  Show();
  Raise();
}

void NoticeDialog::Navigate(const std::string& url) {
  browser_->Navigate(url);
}

// Bottom right of the primary screen's work area, faded in.
void NoticeDialog::Reveal() {
  const wxRect area = wxDisplay(0u).GetClientArea();
  SetSize(area.GetRight() + 1 - (kWidth + 4), area.GetBottom() + 1 - kHeight, kWidth, kHeight);
  alpha_ = 0;
  if (CanSetTransparent() && SetTransparent(0)) fade_timer_.Start(kFadeStepMilliseconds);
  Show();
  Raise();
  browser_->Focus();
}

void NoticeDialog::Hide() {
  wxDialog::Hide();
}

void NoticeDialog::ShowProgress(int range, int position) {
  progress_->SetRange(std::max(range, 1));
  progress_->SetValue(std::clamp(position, 0, progress_->GetRange()));
}

void NoticeDialog::ShowDownloadDone() {
  Refresh(false);
}

void NoticeDialog::End(int result) {
  fade_timer_.Stop();
  wxDialog::Hide();
  if (auto on_end = std::exchange(on_end_, nullptr)) on_end(result);
}

// The header: "累计已学习", the count in large gold digits, "个汉字", on the
// picture or on the header colour; below the page the loading text, with
// "(已完成)" after it once the download has finished.
void NoticeDialog::OnPaint() {
  using namespace notice_look;
  wxAutoBufferedPaintDC dc(this);
  dc.SetBackground(wxBrush(kBackgroundColour));
  dc.Clear();
  if (background_.IsOk()) {
    dc.DrawBitmap(background_, 0, 0);
  } else {
    dc.SetBrush(wxBrush(kHeaderColour));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.DrawRectangle(0, 0, GetClientSize().x, kHeaderHeight);
  }
  dc.SetBackgroundMode(wxTRANSPARENT);
  dc.SetFont(SongFont());
  dc.SetTextForeground(*wxBLACK);
  const wxString loading = Text(res::kLoadingNextDay);
  dc.DrawText(loading, 10, 290);
  if (popup_.download_done())
    dc.DrawText(Text(res::kDownloadDone), dc.GetTextExtent(loading).x + 14, 290);
  dc.SetTextForeground(*wxWHITE);
  const wxString before = Text(res::kLearnedBefore);
  dc.DrawText(before, 102, 54);
  const int count_x = dc.GetTextExtent(before).x + 106;
  const wxString count = wxString::Format("%d", popup_.learned_count());
  dc.SetFont(CountFont());
  dc.SetTextForeground(kCountColour);
  dc.DrawText(count, count_x, 42);
  const int after_x = count_x + dc.GetTextExtent(count).x + 4;
  dc.SetFont(SongFont());
  dc.SetTextForeground(*wxWHITE);
  dc.DrawText(Text(res::kLearnedAfter), after_x, 54);
}

void NoticeDialog::OnLeftDown(const wxMouseEvent&) {
  if (HasCapture()) return;
  CaptureMouse();
  dragging_ = true;
  drag_ = wxGetMousePosition() - GetPosition();
}

void NoticeDialog::OnMouseMove(const wxMouseEvent& event) {
  if (dragging_ && event.LeftIsDown()) Move(wxGetMousePosition() - drag_);
}

void NoticeDialog::OnLeftUp() {
  dragging_ = false;
  if (HasCapture()) ReleaseMouse();
}

void NoticeDialog::OnFadeStep() {
  alpha_ = std::min(255, alpha_ + 255 * kFadeStepMilliseconds / kFadeMilliseconds);
  SetTransparent(static_cast<wxByte>(alpha_));
  if (alpha_ == 255) fade_timer_.Stop();
}
