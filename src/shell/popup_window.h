// The notice window shown at exit while the next study day's content
// downloads: its logic, free of any toolkit. The window itself (a web view,
// a progress bar, a close button, a tray icon) implements PopupView.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "delivery/progress_target.h"

class CVantoPelkoDlg;

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

class CWebDlg : public vanto::delivery::ProgressTarget {
 public:
  CWebDlg() = default;
  // A download still running (a "#close" link ends the window early) no
  // longer reports to this window once it is gone.
  ~CWebDlg() override;
  CWebDlg(const CWebDlg&) = delete;
  CWebDlg& operator=(const CWebDlg&) = delete;

  // Sets up the page and starts the next day's download (the modal window's
  // initialisation). `view` is used until the window ends.
  void OnInitDialog(PopupView& view);

  void OnDownloadNotice(int code, std::int64_t value, std::string_view line) override;
  void OnCloseButton();
  void OnDocumentComplete(bool top_level);
  void OnBeforeNavigate(std::string_view url);
  // A page that failed to load is replaced by the fallback page, unless it
  // was the fallback page itself (that would retry for ever).
  void OnNavigateError(std::string_view failed_url = {});

  bool ended() const { return ended_; }
  bool download_running() const { return download_running_; }

  int learned_count = 0;
  int download_done = 0;
  int page_shown = 0;
  int close_requested = 0;
  int progress_range = 0;
  int progress_position = 0;
  std::string status_text;
  std::string update_query;
  std::string page_host;  // host of the notice page "/popup.php"
  std::string site_host;  // host of the fallback page "/popup.htm"
  CVantoPelkoDlg* main_window = nullptr;

 private:
  void End();

  PopupView* view_ = nullptr;
  bool ended_ = false;
  bool download_running_ = false;
};

// Runs the popup modally until it ends; returns its result.
class PopupRunner {
 public:
  virtual ~PopupRunner() = default;
  virtual int RunPopup(CWebDlg& popup) = 0;
};
