#include "shell/popup_window.h"

#include <utility>

#include "shell/commands/account_client.h"
#include "shell/vanto_pelko_dlg.h"

using vanto::delivery::ID_DOWNLOAD_DONE;
using vanto::delivery::ID_DOWNLOAD_RANGE;
using vanto::delivery::ID_DOWNLOAD_STEP;

CWebDlg::~CWebDlg() {
  if (main_window) main_window->DetachProgressTarget(this);
}

void CWebDlg::OnInitDialog(PopupView& view) {
  view_ = &view;
  std::string address = page_host + "/popup.php";
  if (main_window) address += "?" + UserDayQuery(*main_window);
  page_shown = 0;
  view_->Navigate(address);
  if (main_window) download_running_ = main_window->FetchManifest(update_query, this);
}

void CWebDlg::OnDownloadNotice(int code, std::int64_t value, std::string_view line) {
  if (main_window && main_window->services().notice_observer) {
    main_window->services().notice_observer("popup", code, value, line);
  }
  if (code == ID_DOWNLOAD_RANGE) {
    download_running_ = true;
    progress_range = static_cast<int>(value & 0xFFFF);
    progress_position = 0;
    status_text.clear();
    if (view_) view_->ShowProgress(progress_range, progress_position);
  } else if (code == ID_DOWNLOAD_STEP) {
    ++progress_position;
    status_text.assign(line);
    if (view_) view_->ShowProgress(progress_range, progress_position);
  } else if (code == ID_DOWNLOAD_DONE) {
    download_done = 1;
    download_running_ = false;
    if (view_) view_->ShowDownloadDone();
    if (close_requested) End();
  }
}

// Without a running download no done notice will ever come, so the close
// button ends the window at once, as after a finished download.
void CWebDlg::OnCloseButton() {
  close_requested = 1;
  if (download_done || !download_running_) {
    End();
  } else if (view_) {
    view_->Hide();
  }
}

void CWebDlg::OnDocumentComplete(bool top_level) {
  if (page_shown || !top_level) return;
  page_shown = 1;
  if (view_) view_->Reveal();
}

void CWebDlg::OnBeforeNavigate(std::string_view url) {
  std::size_t at = url.find("#close", 1);
  if (at != std::string_view::npos) End();
}

void CWebDlg::OnNavigateError(std::string_view failed_url) {
  const std::string fallback = site_host + "/popup.htm";
  if (failed_url.starts_with(fallback)) return;
  if (view_) view_->Navigate(fallback);
}

// The window goes away once it has ended; whatever arrives later (the rest
// of a download that a "#close" link cut short) no longer reaches it.
void CWebDlg::End() {
  if (ended_) return;
  ended_ = true;
  if (PopupView* view = std::exchange(view_, nullptr)) view->End(0);
}
