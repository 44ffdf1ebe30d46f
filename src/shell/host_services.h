// Everything the main window's logic reaches outside itself: the screen, the
// user-interface thread, downloads and the service hosts. The windowed
// program, headless mode and tests each provide their own.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "delivery/service_hosts.h"
#include "delivery/ui_dispatcher.h"
#include "platform/message_box.h"
#include "shell/manifest_fetcher.h"
#include "shell/movie_control.h"
#include "shell/popup_window.h"
#include "shell/reload_dialogs.h"
#include "shell/window_actions.h"

struct HostServices {
  MovieControl* movie = nullptr;
  WindowActions* window = nullptr;
  vanto::platform::MessageBoxes* boxes = nullptr;
  vanto::delivery::UiDispatcher* ui = nullptr;
  ReloadDialogFactory* reload_dialogs = nullptr;
  PopupRunner* popups = nullptr;
  // Sees every download notice with the name of its target ("main",
  // "popup"); reload dialogs report their own.
  std::function<void(std::string_view target, int code, std::int64_t value, std::string_view line)>
      notice_observer;
  // Releases the single-instance lock so that a new instance may start.
  std::function<void()> release_instance;
  vanto::delivery::ServiceHosts hosts;
};
