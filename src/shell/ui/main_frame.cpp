#include "shell/ui/main_frame.h"

#include <gtk/gtk.h>
#include <wx/display.h>
#include <wx/gauge.h>
#include <wx/nativewin.h>
#include <wx/stattext.h>

#include <algorithm>

#include "platform/codepage.h"
#include "resources/vanto/strings.h"
#include "shell/ui/app_icon.h"
#include "shell/ui/ui_trace.h"

namespace {

constexpr int kMovieWidth = 960;
constexpr int kMovieHeight = 600;

wxString FromHost(const std::string& gbk) {
  return wxString::FromUTF8(vanto::platform::GbkToUtf8(gbk));
}

}  // namespace

// The loading view's layout in dialog units (320 x 94): converted with the
// window's font, as the toolkit sizes its own dialogs.
MainFrame::MainFrame()
    : wxFrame(nullptr, wxID_ANY, wxString::FromUTF8(vanto::resources::kMainWindowCaption),
              wxDefaultPosition, wxDefaultSize,
              wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX) {
  SetIcons(VantoIcons());
  SetBackgroundColour(*wxWHITE);
  status_ =
      new wxStaticText(this, 1004, wxString::FromUTF8(vanto::resources::kLoadingStatusInitial),
                       ConvertDialogToPixels(wxPoint(7, 7)), ConvertDialogToPixels(wxSize(306, 26)),
                       wxST_NO_AUTORESIZE);
  progress_ = new wxGauge(this, 1002, 100, ConvertDialogToPixels(wxPoint(7, 41)),
                          ConvertDialogToPixels(wxSize(306, 38)));
  SetClientSize(ConvertDialogToPixels(wxSize(320, 94)));
  Centre();
  Bind(wxEVT_CLOSE_WINDOW, &MainFrame::OnCloseBox, this);
  Bind(wxEVT_MAXIMIZE, &MainFrame::OnMaximise, this);
  Bind(wxEVT_CHAR_HOOK, &MainFrame::OnKey, this);
  Bind(wxEVT_SIZE, &MainFrame::OnSize, this);
}

// During the loading view the movie's view stays mapped but takes a single
// pixel: a hidden web view is not rendered, and the player warming up in it
// would stall.
void MainFrame::AttachMovie(GtkWidget* widget) {
  movie_ = new wxNativeWindow(this, 1001, widget);
  movie_->SetSize(0, 0, 1, 1);
}

void MainFrame::ShowProgress(int range, int position, const std::string& status_text) {
  UiTrace({"Window", "progress " + std::to_string(position) + "/" + std::to_string(range)});
  progress_->SetRange(range > 0 ? range : 1);
  progress_->SetValue(std::clamp(position, 0, range > 0 ? range : 1));
  status_->SetLabel(status_text.empty()
                        ? wxString::FromUTF8(vanto::resources::kLoadingStatusInitial)
                        : FromHost(status_text));
}

void MainFrame::ShowMovieView() {
  SetWindowStyleFlag(GetWindowStyleFlag() | wxMAXIMIZE_BOX | wxRESIZE_BORDER);
  status_->Hide();
  progress_->Hide();
  movie_shown_ = true;
  if (movie_) movie_->Show();
  PlaceWindowed();
}

// The movie first: the window cannot shrink below its child's size.
void MainFrame::PlaceWindowed() {
  if (movie_) movie_->SetSize(0, 0, kMovieWidth, kMovieHeight);
  SetClientSize(kMovieWidth, kMovieHeight);
  Centre();
}

// The window manager is asked for full screen, and the window is also
// placed over the primary screen itself: without a window manager (a kiosk,
// a virtual display) nobody else would, and the toolkit's size stays true.
void MainFrame::EnterFullScreen() {
  full_screen_ = true;
  gtk_window_fullscreen(GTK_WINDOW(GetHandle()));
  SetSize(wxDisplay(0u).GetGeometry());
  CoverClientArea();
}

void MainFrame::LeaveFullScreen() {
  full_screen_ = false;
  gtk_window_unfullscreen(GTK_WINDOW(GetHandle()));
  if (IsMaximized()) Maximize(false);
  PlaceWindowed();
}

void MainFrame::CoverClientArea() {
  if (movie_) movie_->SetSize(GetClientSize());
}

void MainFrame::Hide() {
  wxFrame::Hide();
}

void MainFrame::Minimise() {
  Iconize(true);
}

void MainFrame::EndDialog(int result) {
  result_ = result;
  ended_ = true;
  wxFrame::Hide();
}

void MainFrame::OnCloseBox(wxCloseEvent& event) {
  if (ended_) {
    event.Skip();
    return;
  }
  // The close sequence runs modal windows of its own: run it from the queue,
  // not inside the window system's close request.
  event.Veto();
  if (handlers_.close) CallAfter([this] { handlers_.close(); });
}

void MainFrame::OnMaximise(wxMaximizeEvent& event) {
  if (movie_shown_ && handlers_.maximised) handlers_.maximised();
  event.Skip();
}

// Escape and Enter never close the window; Escape leaves full screen.
void MainFrame::OnKey(wxKeyEvent& event) {
  int key = event.GetKeyCode();
  if (key == WXK_ESCAPE && handlers_.escape) handlers_.escape();
  if (key == WXK_ESCAPE || key == WXK_RETURN || key == WXK_NUMPAD_ENTER) return;
  event.Skip();
}

void MainFrame::OnSize(wxSizeEvent& event) {
  if (movie_shown_ && movie_ && (full_screen_ || IsMaximized())) CoverClientArea();
  event.Skip();
}
