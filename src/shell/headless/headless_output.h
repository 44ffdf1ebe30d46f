// Headless mode's screen: everything the host would show becomes one line on
// standard output, UTF-8, fields separated by TABs, flushed at once. Host
// strings (code page 936) are converted on the way out.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "delivery/ui_dispatcher.h"
#include "platform/message_box.h"
#include "shell/front_end/movie_control.h"
#include "shell/front_end/reload_dialogs.h"
#include "shell/front_end/window_actions.h"
#include "shell/popup_window.h"

class HeadlessOutput {
 public:
  explicit HeadlessOutput(std::FILE* out = stdout) : out_(out) {}
  // Prints the fields (host strings) joined by TABs as one line.
  void Line(std::initializer_list<std::string_view> fields);
  void Notice(std::string_view target, int code, std::int64_t value, std::string_view line);

 private:
  std::FILE* out_;
  std::mutex mutex_;
};

class HeadlessMovieControl : public MovieControl {
 public:
  explicit HeadlessMovieControl(HeadlessOutput& out) : out_(out) {}
  void SetMovie(const std::string& value) override;
  void SetLoop(bool loop) override;
  void Play() override;
  void Stop() override;
  void SetScaleMode(int mode) override;
  void StopPlay() override;
  void LoadMovie(int layer, const std::string& path) override;
  void SetVariable(const std::string& name, const std::string& value) override;
  std::string CallFunction(const std::string& request) override;
  void SetAllowFullScreen(const std::string& value) override;

 private:
  HeadlessOutput& out_;
};

class HeadlessWindow : public WindowActions {
 public:
  explicit HeadlessWindow(HeadlessOutput& out) : out_(out) {}
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
  HeadlessOutput& out_;
  bool ended_ = false;
  int result_ = 0;
};

class HeadlessMessageBoxes : public vanto::platform::MessageBoxes {
 public:
  explicit HeadlessMessageBoxes(HeadlessOutput& out) : out_(out) {}
  void Show(const std::string& caption, const std::string& text) override;
  void ShowFileError(const std::string& host_path, int error_number) override;
  // On standard error: the headless protocol's output stays as it was.
  void ShowSettingsProblem(const std::string& text) override;

 private:
  HeadlessOutput& out_;
};

// Reload dialogs that wait in the event loop and print their notices.
class HeadlessReloadDialogs : public ReloadDialogFactory {
 public:
  HeadlessReloadDialogs(HeadlessOutput& out, vanto::delivery::UiDispatcher& ui)
      : out_(out), ui_(ui) {}
  std::unique_ptr<CReloadDlg> CreateReloadDialog() override;

 private:
  HeadlessOutput& out_;
  vanto::delivery::UiDispatcher& ui_;
};

// The exit popup without a window: its page and progress are printed, and
// its close button counts as pressed at once, so it ends at the download's
// done notice (or at once when no download runs).
class HeadlessPopupRunner : public PopupRunner, private PopupView {
 public:
  HeadlessPopupRunner(HeadlessOutput& out, vanto::delivery::UiDispatcher& ui)
      : out_(out), ui_(ui) {}
  int RunPopup(CWebDlg& popup) override;

 private:
  void Navigate(const std::string& url) override;
  void Reveal() override;
  void Hide() override;
  void ShowProgress(int range, int position) override;
  void ShowDownloadDone() override;
  void End(int result) override;

  HeadlessOutput& out_;
  vanto::delivery::UiDispatcher& ui_;
  bool ended_ = false;
};
