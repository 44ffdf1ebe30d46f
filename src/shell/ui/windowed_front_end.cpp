#include "shell/ui/windowed_front_end.h"

#include <glib-unix.h>
#include <sys/stat.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>

#include <csignal>
#include <cstdio>
#include <functional>

#include "delivery/content_delivery.h"
#include "delivery/process_control.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "resources/vanto/strings.h"
#include "shell/app/vanto_pelko_app.h"
#include "shell/delivery_fetcher.h"
#include "shell/ui/display_available.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/movie_view.h"
#include "shell/ui/reload_dialog.h"
#include "shell/ui/unseen_popup_runner.h"
#include "shell/ui/web_engine_environment.h"
#include "shell/ui/wx_message_boxes.h"
#include "shell/ui/wx_ui_dispatcher.h"
#include "shell/vanto_pelko_dlg.h"
#ifdef VANTO_NOTICE_WINDOW
#include "shell/ui/notice/notice_window.h"
#endif

namespace {

// A failed toolkit check is reported on standard error, never in a dialog
// in front of the child.
void PrintAssert(const wxString& file, int line, const wxString& function, const wxString& cond,
                 const wxString& message) {
  std::fprintf(stderr, "Vanto: toolkit check failed at %s:%d %s: %s %s\n", file.utf8_str().data(),
               line, function.utf8_str().data(), cond.utf8_str().data(), message.utf8_str().data());
}

class VantoWxApp : public wxApp {
 public:
  bool OnInit() override {
    wxSetAssertHandler(PrintAssert);
    wxInitAllImageHandlers();
    return true;
  }
};

// The player page and Ruffle sit in "player" beside the program.
std::string PlayerFolder() {
  return vanto::platform::NativePath(vanto::platform::ProgramFolder()) + "/player";
}

// The player's own cut-down CJK font when the build made one, else the
// system's whole font collection.
std::string PlayerFont() {
  std::string own = PlayerFolder() + "/font.otf";
  struct stat info {};
  return ::stat(own.c_str(), &info) == 0 ? own : std::string(VANTO_CJK_FONT);
}

constexpr const char* kPlayerFailedText = "课程动画无法播放，程序将关闭。\n\n";

// SIGTERM (the desktop session ending) closes the exit notice window when it
// is open, else the main window, as their close boxes do. So a program that
// is closing still ends on the next SIGTERM instead of waiting for a click.
struct TerminateTargets {
  MainFrame* frame;
  std::function<bool()> close_popup;
};

gboolean OnTerminate(gpointer data) {
  const auto& targets = *static_cast<TerminateTargets*>(data);
  if (targets.close_popup()) return G_SOURCE_CONTINUE;
  wxCloseEvent close(wxEVT_CLOSE_WINDOW);
  close.SetCanVeto(true);
  targets.frame->GetEventHandler()->ProcessEvent(close);
  return G_SOURCE_CONTINUE;
}

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(VantoWxApp);

std::unique_ptr<WindowedFrontEnd> WindowedFrontEnd::Start(int& argc, char** argv) {
  if (!DisplayAvailable()) {
    std::fprintf(stderr,
                 "Vanto: no display to open the course window on (DISPLAY is not set); "
                 "run \"Vanto --headless\" to use the course without a window\n");
    return nullptr;
  }
  SetWebEngineEnvironment();  // before any thread that could read the environment
  if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
    std::fprintf(stderr, "Vanto: the display could not be opened\n");
    return nullptr;
  }
  wxTheApp->SetExitOnFrameDelete(false);
  return std::unique_ptr<WindowedFrontEnd>(new WindowedFrontEnd);
}

WindowedFrontEnd::~WindowedFrontEnd() {
  wxTheApp->OnExit();
  wxEntryCleanup();
}

void WindowedFrontEnd::ShowStartMessage(const std::string& text) {
  ShowUtf8MessageBox(nullptr, vanto::resources::kProgramTitle, text);
}

int WindowedFrontEnd::RunMainWindow(CVantoPelkoApp& app) {
  WxUiDispatcher ui;
  // The movie's view first: its web process and the player page start while
  // the window is built and the course is checked.
  MainFrame* frame = nullptr;
  CVantoPelkoDlg* main_window = nullptr;
  MovieView::Events events;
  events.fs_command = [&](const std::string& command, const std::string& args) {
    if (main_window) main_window->OnFSCommand(command, args);
  };
  events.failed = [&](const std::string& reason) {
    ShowUtf8MessageBox(frame, vanto::resources::kProgramTitle, kPlayerFailedText + reason);
    frame->EndDialog(1);
  };
  events.escape = [&] {
    if (main_window) main_window->OnEscape();
  };
  MovieView movie(ui, events, PlayerFolder(), PlayerFont());
  frame = new MainFrame;
  frame->AttachMovie(movie.widget());
  WxMessageBoxes boxes(frame);
  ReloadDialogs reloads(frame, ui);
#ifdef VANTO_NOTICE_WINDOW
  NoticeWindowRunner popups(frame, frame->GetIcon());
#else
  UnseenPopupRunner popups(ui);
#endif
  vanto::delivery::SystemProcessControl processes;

  HostServices services;
  services.movie = &movie;
  services.window = frame;
  services.boxes = &boxes;
  services.ui = &ui;
  services.reload_dialogs = &reloads;
  services.popups = &popups;
  services.hosts = vanto::delivery::LoadServiceHosts(vanto::platform::CurrentFolder());
  services.release_instance = [&app] { app.ReleaseInstance(); };

  int result = 0;
  {
    CVantoPelkoDlg dlg(services);
    main_window = &dlg;
    dlg.SetManifestFetcher(
        std::make_unique<DeliveryFetcher>(std::make_unique<vanto::delivery::ContentDelivery>(
            services.hosts.mirrors, vanto::platform::CurrentFolder(), ui, processes, boxes, &dlg)));
    frame->SetHandlers(
        {[&dlg] { dlg.OnClose(); }, [&dlg] { dlg.OnMaximised(); }, [&dlg] { dlg.OnEscape(); }});
    TerminateTargets terminate_targets{frame, [&popups] { return popups.CloseRunning(); }};
    guint terminate = g_unix_signal_add(SIGTERM, OnTerminate, &terminate_targets);
    frame->Show();
    dlg.OnInitDialog();
    ui.RunUntil([frame] { return frame->ended(); });
    result = frame->result();
    dlg.OnDestroy();
    g_source_remove(terminate);
    main_window = nullptr;
  }
  // The frame goes now, with the movie's widget, before the movie view.
  frame->Destroy();
  wxTheApp->ProcessIdle();
  return result;
}
