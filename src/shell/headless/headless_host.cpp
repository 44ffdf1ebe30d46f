#include "shell/headless/headless_host.h"

#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "delivery/content_delivery.h"
#include "delivery/headless_event_loop.h"
#include "delivery/process_control.h"
#include "delivery/service_hosts.h"
#include "platform/codepage.h"
#include "platform/file_system.h"
#include "shell/app/vanto_pelko_app.h"
#include "shell/delivery_fetcher.h"
#include "shell/headless/headless_output.h"
#include "shell/vanto_pelko_dlg.h"

namespace {

struct Command {
  std::string name;  // code page 936
  std::string args;
};

// Commands read from standard input, waiting until the main movie is loaded;
// `input_ended` once standard input is exhausted. Touched only on the
// user-interface thread.
struct PendingInput {
  std::deque<Command> commands;
  bool input_ended = false;
};

using SharedLoop = std::shared_ptr<vanto::delivery::HeadlessEventLoop>;
using SharedInput = std::shared_ptr<PendingInput>;

Command ParseCommandLine(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::size_t tab = line.find('\t');
  Command command;
  command.name = vanto::platform::Utf8ToGbk(line.substr(0, tab));
  if (tab != std::string::npos) command.args = vanto::platform::Utf8ToGbk(line.substr(tab + 1));
  return command;
}

// Runs on its own thread. It shares the loop and the queue, so a line read
// after the window has ended goes into a queue nobody reads any more.
void ReadInput(std::FILE* input, SharedInput pending, SharedLoop ui) {
  char* buffer = nullptr;
  std::size_t capacity = 0;
  ssize_t n;
  while ((n = ::getline(&buffer, &capacity, input)) >= 0) {
    std::string line(buffer, static_cast<std::size_t>(n));
    if (!line.empty() && line.back() == '\n') line.pop_back();
    Command command = ParseCommandLine(line);
    ui->Post([pending, command] { pending->commands.push_back(command); });
  }
  std::free(buffer);
  ui->Post([pending] { pending->input_ended = true; });
}

// Hands waiting commands to the main window once its movie is loaded, and
// closes it at the end of input: at once when the movie is loaded or can no
// longer load (no download running), otherwise after the download.
void HandlePending(PendingInput& pending, CVantoPelkoDlg& dlg, const HeadlessWindow& window) {
  while (!window.ended() && dlg.movie_loaded() && !pending.commands.empty()) {
    Command command = pending.commands.front();
    pending.commands.pop_front();
    dlg.OnFSCommand(command.name, command.args);
  }
  if (window.ended() || !pending.input_ended || dlg.closing()) return;
  if (!pending.commands.empty() && dlg.WorkerRunning()) return;
  if (!dlg.movie_loaded() && dlg.WorkerRunning()) return;
  dlg.OnClose();
}

}  // namespace

void HeadlessFrontEnd::ShowStartMessage(const std::string& text) {
  std::fprintf(output_, "MessageBox\tVantoPelko\t%s\n", text.c_str());
  std::fflush(output_);
}

int HeadlessFrontEnd::RunMainWindow(CVantoPelkoApp& app) {
  std::FILE* input = input_;
  std::FILE* output = output_;
  SharedLoop shared_ui = std::make_shared<vanto::delivery::HeadlessEventLoop>();
  vanto::delivery::HeadlessEventLoop& ui = *shared_ui;
  HeadlessOutput out(output);
  HeadlessMovieControl movie(out);
  HeadlessWindow window(out);
  HeadlessMessageBoxes boxes(out);
  HeadlessReloadDialogs reloads(out, ui);
  HeadlessPopupRunner popups(out, ui);
  vanto::delivery::SystemProcessControl processes;

  HostServices services;
  services.movie = &movie;
  services.window = &window;
  services.boxes = &boxes;
  services.ui = &ui;
  services.reload_dialogs = &reloads;
  services.popups = &popups;
  services.hosts = vanto::delivery::LoadServiceHosts(vanto::platform::CurrentFolder());
  services.notice_observer = [&out](std::string_view target, int code, std::int64_t value,
                                    std::string_view line) {
    out.Notice(target, code, value, line);
  };
  services.release_instance = [&app] { app.ReleaseInstance(); };

  int result = 0;
  {
    CVantoPelkoDlg dlg(services);
    vanto::delivery::MirrorTable mirrors = services.hosts.mirrors;
    dlg.SetManifestFetcher(
        std::make_unique<DeliveryFetcher>(std::make_unique<vanto::delivery::ContentDelivery>(
            mirrors, vanto::platform::CurrentFolder(), ui, processes, boxes, &dlg)));
    dlg.OnInitDialog();

    SharedInput pending = std::make_shared<PendingInput>();
    std::thread reader(ReadInput, input, pending, shared_ui);
    reader.detach();  // a blocked read must not keep the program from ending
    ui.RunUntil([&] {
      HandlePending(*pending, dlg, window);
      return window.ended();
    });
    result = window.result();
    dlg.OnDestroy();
  }
  return result;
}
