// Stand-ins for the parts of HostServices a front end does not have: each
// does nothing, so the main window's logic never asks whether a screen, a
// message box or a popup runner is there. They hold no state.
#pragma once

#include <memory>
#include <string>

#include "delivery/ui_dispatcher.h"
#include "platform/message_box.h"
#include "shell/front_end/movie_control.h"
#include "shell/front_end/popup_view.h"
#include "shell/front_end/reload_dialogs.h"
#include "shell/front_end/window_actions.h"

class QuietMovie : public MovieControl {
 public:
  void SetMovie(const std::string&) override {}
  void SetLoop(bool) override {}
  void Play() override {}
  void Stop() override {}
  void SetScaleMode(int) override {}
  void StopPlay() override {}
  void LoadMovie(int, const std::string&) override {}
  void SetVariable(const std::string&, const std::string&) override {}
  std::string CallFunction(const std::string&) override { return {}; }
  void SetAllowFullScreen(const std::string&) override {}
};

class QuietWindow : public WindowActions {
 public:
  void ShowProgress(int, int, const std::string&) override {}
  void ShowMovieView() override {}
  void EnterFullScreen() override {}
  void LeaveFullScreen() override {}
  void CoverClientArea() override {}
  void Hide() override {}
  void Minimise() override {}
  void EndDialog(int) override {}
};

class QuietBoxes : public vanto::platform::MessageBoxes {
 public:
  void Show(const std::string&, const std::string&) override {}
  void ShowFileError(const std::string&, int) override {}
};

// Tasks handed to a missing user-interface thread are dropped.
class QuietUi : public vanto::delivery::UiDispatcher {
 public:
  void Post(std::function<void()>) override {}
  void RunUntil(const std::function<bool()>&) override {}
};

// Gives no dialog: the fetch then runs without a progress target.
class NoReloadDialogs : public ReloadDialogFactory {
 public:
  std::unique_ptr<CReloadDlg> CreateReloadDialog() override { return nullptr; }
};

class NoPopups : public PopupRunner {
 public:
  int RunPopup(CWebDlg&) override { return 0; }
};

// One shared set; the stand-ins hold no state.
struct QuietServices {
  QuietMovie movie;
  QuietWindow window;
  QuietBoxes boxes;
  QuietUi ui;
  NoReloadDialogs reload_dialogs;
  NoPopups popups;
};
QuietServices& TheQuietServices();
