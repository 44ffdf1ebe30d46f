// What the main window's logic asks of its on-screen window. The windowed
// program implements it with the toolkit; headless mode prints each action.
#pragma once

#include <string>

class WindowActions {
 public:
  virtual ~WindowActions() = default;
  // Loading view: the status line and the progress bar, refreshed from the
  // dialog's fields.
  virtual void ShowProgress(int range, int position, const std::string& status_text) = 0;
  // The movie replaces the loading view; the window gains its maximise box.
  virtual void ShowMovieView() = 0;
  virtual void EnterFullScreen() = 0;  // the movie over the whole primary screen
  virtual void LeaveFullScreen() = 0;  // 960 x 600 of movie, centred, with title bar
  virtual void CoverClientArea() = 0;  // the movie control fills the client area
  virtual void Hide() = 0;
  virtual void Minimise() = 0;
  // Ends the modal main window with `result`.
  virtual void EndDialog(int result) = 0;
};
