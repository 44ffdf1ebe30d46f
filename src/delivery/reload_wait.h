// The modal wait of a reload dialog without a toolkit: a progress target that
// keeps the dialog's state (progress range, position, status line) and runs
// the user-interface thread's loop until the done notice ends it. A windowed
// dialog shows the same state in its controls.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "delivery/progress_target.h"
#include "delivery/ui_dispatcher.h"

namespace vanto::delivery {

class ReloadWait : public ProgressTarget {
 public:
  // Called after each notice has been applied, on the user-interface thread.
  using Observer = std::function<void(int code, std::int64_t value, std::string_view line)>;

  explicit ReloadWait(UiDispatcher& ui, Observer observer = {});

  // Runs until ID_DOWNLOAD_DONE arrives; returns its completion code.
  std::int64_t RunModal();

  void OnDownloadNotice(int code, std::int64_t value, std::string_view line) override;
  bool WindowExists() const override { return shown_; }

  int range() const { return range_; }
  int position() const { return position_; }
  const std::string& status_text() const { return status_text_; }

 private:
  UiDispatcher& ui_;
  Observer observer_;
  bool shown_ = false;
  bool ended_ = false;
  std::int64_t result_ = 0;
  int range_ = 0;
  int position_ = 0;
  std::string status_text_;
};

}  // namespace vanto::delivery
