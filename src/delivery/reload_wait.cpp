#include "delivery/reload_wait.h"

namespace vanto::delivery {

ReloadWait::ReloadWait(UiDispatcher& ui, Observer observer)
    : ui_(ui), observer_(std::move(observer)) {}

std::int64_t ReloadWait::RunModal() {
  shown_ = true;
  ended_ = false;
  ui_.RunUntil([this] { return ended_; });
  shown_ = false;
  return result_;
}

void ReloadWait::OnDownloadNotice(int code, std::int64_t value, std::string_view line) {
  switch (code) {
    case ID_DOWNLOAD_RANGE:
      // The progress bar's range is a 16-bit value.
      range_ = static_cast<std::uint16_t>(value);
      position_ = 0;
      status_text_.clear();
      break;
    case ID_DOWNLOAD_STEP:
      ++position_;
      status_text_.assign(line);
      break;
    case ID_DOWNLOAD_DONE:
      result_ = value;
      ended_ = true;
      break;
    default:
      return;
  }
  if (observer_) observer_(code, value, line);
}

}  // namespace vanto::delivery
