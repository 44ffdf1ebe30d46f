// The notice window shown at exit while the next study day's content
// downloads: its logic, free of any toolkit. The window itself (a web view,
// a progress bar, a close button, a tray icon) implements PopupView.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "delivery/progress_target.h"
#include "shell/content_fetches.h"
#include "shell/front_end/notice_observer.h"
#include "shell/front_end/popup_view.h"

// What the main window hands the notice window when it closes.
struct PopupSettings {
  int learned_count = 0;     // shown in the picture header
  std::string update_query;  // the next study day's manifest
  std::string page_query;    // appended to the notice page after '?'; none when empty
  std::string page_host;     // host of the notice page "/popup.php"
  std::string site_host;     // host of the fallback page "/popup.htm"
};

class CWebDlg : public vanto::delivery::ProgressTarget {
 public:
  // A notice window that downloads nothing.
  explicit CWebDlg(PopupSettings settings);
  // The next study day is fetched through `fetches`; every notice is also
  // shown to `observer`.
  CWebDlg(PopupSettings settings, ContentFetches& fetches, NoticeObserver observer);
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
  bool download_done() const { return download_done_; }
  bool page_shown() const { return page_shown_; }
  int progress_range() const { return progress_range_; }
  int progress_position() const { return progress_position_; }
  int learned_count() const { return settings_.learned_count; }
  const std::string& update_query() const { return settings_.update_query; }

 private:
  void End();

  PopupSettings settings_;
  NoContentFetches no_fetches_;
  ContentFetches& fetches_;
  NoticeObserver observer_;
  PopupView* view_ = nullptr;
  bool ended_ = false;
  bool download_running_ = false;
  bool download_done_ = false;
  bool page_shown_ = false;
  bool close_requested_ = false;
  int progress_range_ = 0;
  int progress_position_ = 0;
  std::string status_text_;
};
