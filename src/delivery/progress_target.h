// Download notices and the windows that receive them.
//
// The download worker reports to one progress target: the main window, a
// reload dialog, the popup window, or none. Notices always run on the
// user-interface thread while the worker waits for them (see ui_dispatcher.h).
#pragma once

#include <cstdint>
#include <string_view>

namespace vanto::delivery {

// value: the number of manifest lines.
inline constexpr int ID_DOWNLOAD_RANGE = 561;
// line: the entry's whole manifest line, valid during the call.
inline constexpr int ID_DOWNLOAD_STEP = 291;
// value: the completion code.
inline constexpr int ID_DOWNLOAD_DONE = 801;

class ProgressTarget {
 public:
  virtual ~ProgressTarget() = default;

  // Handles one notice on the user-interface thread.
  virtual void OnDownloadNotice(int code, std::int64_t value, std::string_view line) = 0;

  // A manifest was loaded: the main window's own progress bar starts over
  // at 0 of `line_count` and its status text is emptied, without refreshing
  // the status line. Called directly on the user-interface thread, before the
  // worker starts; it is not a notice. Only the main window needs it.
  virtual void OnManifestLoaded(std::int64_t /*line_count*/) {}

  // Whether the target's window exists yet, asked on the user-interface
  // thread before a notice goes to a target other than the main window
  // (the worker often starts before its dialog is shown).
  virtual bool WindowExists() const { return true; }
};

}  // namespace vanto::delivery
