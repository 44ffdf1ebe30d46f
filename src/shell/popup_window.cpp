#include "shell/popup_window.h"

#include <utility>

using vanto::delivery::ID_DOWNLOAD_DONE;
using vanto::delivery::ID_DOWNLOAD_RANGE;
using vanto::delivery::ID_DOWNLOAD_STEP;

CWebDlg::CWebDlg(PopupSettings settings)
    : settings_(std::move(settings)),
      fetches_(no_fetches_),
      observer_([](std::string_view, int, std::int64_t, std::string_view) {}) {}

CWebDlg::CWebDlg(PopupSettings settings, ContentFetches& fetches, NoticeObserver observer)
    : settings_(std::move(settings)), fetches_(fetches), observer_(std::move(observer)) {}

CWebDlg::~CWebDlg() {
  fetches_.DetachProgressTarget(this);
}

void CWebDlg::OnInitDialog(PopupView& view) {
  view_ = &view;
  std::string address = settings_.page_host + "/popup.php";
  if (!settings_.page_query.empty()) address += "?" + settings_.page_query;
  page_shown_ = false;
  view_->Navigate(address);
  download_running_ = fetches_.FetchManifest(settings_.update_query, this);
}

void CWebDlg::OnDownloadNotice(int code, std::int64_t value, std::string_view line) {
  observer_("popup", code, value, line);
  if (code == ID_DOWNLOAD_RANGE) {
    download_running_ = true;
    progress_range_ = static_cast<int>(value & 0xFFFF);
    progress_position_ = 0;
    status_text_.clear();
    if (view_) view_->ShowProgress(progress_range_, progress_position_);
  } else if (code == ID_DOWNLOAD_STEP) {
    ++progress_position_;
    status_text_.assign(line);
    if (view_) view_->ShowProgress(progress_range_, progress_position_);
  } else if (code == ID_DOWNLOAD_DONE) {
    download_done_ = true;
    download_running_ = false;
    if (view_) view_->ShowDownloadDone();
    if (close_requested_) End();
  }
}

// Without a running download no done notice will ever come, so the close
// button ends the window at once, as after a finished download.
void CWebDlg::OnCloseButton() {
  close_requested_ = true;
  if (download_done_ || !download_running_) {
    End();
  } else if (view_) {
    view_->Hide();
  }
}

void CWebDlg::OnDocumentComplete(bool top_level) {
  if (page_shown_ || !top_level) return;
  page_shown_ = true;
  if (view_) view_->Reveal();
}

void CWebDlg::OnBeforeNavigate(std::string_view url) {
  std::size_t at = url.find("#close", 1);
  if (at != std::string_view::npos) End();
}

void CWebDlg::OnNavigateError(std::string_view failed_url) {
  const std::string fallback = settings_.site_host + "/popup.htm";
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
