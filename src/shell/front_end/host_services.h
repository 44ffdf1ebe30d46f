// Everything the main window's logic reaches outside itself: the screen, the
// user-interface thread, downloads and the service hosts. The windowed
// program, headless mode and tests each provide their own; whatever a front
// end leaves unset is a stand-in that does nothing.
#pragma once

#include <functional>

#include "delivery/service_hosts.h"
#include "shell/front_end/notice_observer.h"
#include "shell/front_end/quiet_services.h"

struct HostServices {
  MovieControl* movie = &TheQuietServices().movie;
  WindowActions* window = &TheQuietServices().window;
  vanto::platform::MessageBoxes* boxes = &TheQuietServices().boxes;
  vanto::delivery::UiDispatcher* ui = &TheQuietServices().ui;
  ReloadDialogFactory* reload_dialogs = &TheQuietServices().reload_dialogs;
  PopupRunner* popups = &TheQuietServices().popups;
  // Reload dialogs report their own notices.
  NoticeObserver notice_observer = [](std::string_view, int, std::int64_t, std::string_view) {};
  // Releases the single-instance lock so that a new instance may start.
  std::function<void()> release_instance = [] {};
  vanto::delivery::ServiceHosts hosts;
};
