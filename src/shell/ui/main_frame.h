// The main window (CVantoPelkoDlg's window): first the loading view, a status
// line over a progress bar, then the 960 x 600 movie, windowed or over the
// whole screen. It does what the main window's logic asks (WindowActions)
// and reports the user's actions back to it.
#pragma once

#include <wx/frame.h>

#include <functional>

#include "shell/front_end/window_actions.h"

class wxGauge;
class wxStaticText;
class wxNativeWindow;
typedef struct _GtkWidget GtkWidget;

class MainFrame : public wxFrame, public WindowActions {
 public:
  struct Handlers {
    std::function<void()> close;      // the close box (or the session's end)
    std::function<void()> maximised;  // the maximise box or a title double-click
    std::function<void()> escape;
  };

  MainFrame();
  void SetHandlers(Handlers handlers) { handlers_ = std::move(handlers); }
  // The movie view's widget, hidden until the movie is shown.
  void AttachMovie(GtkWidget* widget);

  void ShowProgress(int range, int position, const std::string& status_text) override;
  void ShowMovieView() override;
  void EnterFullScreen() override;
  void LeaveFullScreen() override;
  void CoverClientArea() override;
  void Hide() override;
  void Minimise() override;
  void EndDialog(int result) override;

  bool ended() const { return ended_; }
  int result() const { return result_; }

 private:
  void OnCloseBox(wxCloseEvent& event);
  void OnMaximise(wxMaximizeEvent& event);
  void OnKey(wxKeyEvent& event);
  void OnSize(wxSizeEvent& event);
  void PlaceWindowed();

  Handlers handlers_;
  wxStaticText* status_ = nullptr;
  wxGauge* progress_ = nullptr;
  wxNativeWindow* movie_ = nullptr;
  bool movie_shown_ = false;
  bool full_screen_ = false;
  bool ended_ = false;
  int result_ = 0;
};
