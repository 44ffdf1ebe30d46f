// What the exit notice window's logic asks of the window that shows it, and
// how a front end runs that window modally.
#pragma once

#include <string>

class CWebDlg;

class PopupView {
 public:
  virtual ~PopupView() = default;
  virtual void Navigate(const std::string& url) = 0;
  // Places the window in the bottom-right corner and fades it in.
  virtual void Reveal() = 0;
  virtual void Hide() = 0;
  virtual void ShowProgress(int range, int position) = 0;
  // The download finished: "(已完成)" appears after the loading text.
  virtual void ShowDownloadDone() = 0;
  // Ends the modal window with `result`.
  virtual void End(int result) = 0;
};

// A view that shows nothing, for a popup that runs without a window.
class SilentPopupView : public PopupView {
 public:
  void Navigate(const std::string&) override {}
  void Reveal() override {}
  void Hide() override {}
  void ShowProgress(int, int) override {}
  void ShowDownloadDone() override {}
  void End(int) override {}
};

// Runs the popup modally until it ends; returns its result.
class PopupRunner {
 public:
  virtual ~PopupRunner() = default;
  virtual int RunPopup(CWebDlg& popup) = 0;
};
