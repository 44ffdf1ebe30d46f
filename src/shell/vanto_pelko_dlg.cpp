#include "shell/vanto_pelko_dlg.h"

#include <algorithm>
#include <cstdint>

#include "learner/day_range.h"
#include "platform/channel_config.h"
#include "platform/file_system.h"
#include "platform/native_path.h"

using vanto::delivery::ID_DOWNLOAD_DONE;
using vanto::delivery::ID_DOWNLOAD_RANGE;
using vanto::delivery::ID_DOWNLOAD_STEP;
using vanto::platform::CurrentFolder;
using vanto::platform::JoinHostPath;

namespace {

std::string ProgramFile(const char* name) {
  return JoinHostPath(CurrentFolder(), name);
}

}  // namespace

CVantoPelkoDlg::CVantoPelkoDlg(const HostServices& services)
    : documents(services.boxes),
      study(&documents, services.boxes),
      puzzle(
          services.movie,
          [this](int index, const CStudy& learner) { documents.WritePuzzleHanzi(index, learner); }),
      microphone(services.movie,
                 [ui = services.ui](std::function<void()> task) {
                   if (ui) ui->Post(std::move(task));
                 }),
      services_(services) {}

CVantoPelkoDlg::~CVantoPelkoDlg() {
  OnDestroy();
}

void CVantoPelkoDlg::SetManifestFetcher(std::unique_ptr<ManifestFetcher> fetcher) {
  fetcher_ = std::move(fetcher);
}

bool CVantoPelkoDlg::WorkerRunning() const {
  return fetcher_ && fetcher_->WorkerRunning();
}

bool CVantoPelkoDlg::OnInitDialog() {
  qudao = vanto::platform::ReadChannelValue(31);
  if (services_.window)
    services_.window->ShowProgress(progress_range, progress_position, status_text);
  if (study.Load(ProgramFile("Vanto.ini"))) {
    std::string query =
        "?" + study.DayRangeQuery(0) + "&ver=" + kProgramVersion + "&qudao=" + qudao;
    FetchManifest(query, this);
  }
  if (vanto::platform::PathExists("debug.ini")) debug_mode = 1;
  return true;
}

void CVantoPelkoDlg::OnDownloadNotice(int code, std::int64_t value, std::string_view line) {
  if (services_.notice_observer) services_.notice_observer("main", code, value, line);
  if (code == ID_DOWNLOAD_RANGE) {
    progress_range = static_cast<int>(value & 0xFFFF);
    progress_position = 0;
    status_text.clear();
  } else if (code == ID_DOWNLOAD_STEP) {
    ++progress_position;
    status_text.assign(line);
  } else if (code == ID_DOWNLOAD_DONE) {
    if (value == 0 && closing == 0) {
      LoadMainMovie();
    } else if (services_.window) {
      services_.window->EndDialog(static_cast<int>(value));
    }
    return;
  } else {
    return;
  }
  if (services_.window)
    services_.window->ShowProgress(progress_range, progress_position, status_text);
}

void CVantoPelkoDlg::OnManifestLoaded(std::int64_t line_count) {
  progress_range = static_cast<int>(line_count & 0xFFFF);
  progress_position = 0;
  status_text.clear();
}

void CVantoPelkoDlg::PlayMainMovie() {
  MovieControl* movie = services_.movie;
  if (!movie) return;
  movie->LoadMovie(0, ProgramFile("Vanto.swf"));
  movie->SetLoop(false);
  movie->SetAllowFullScreen("true");
  movie->Play();
}

void CVantoPelkoDlg::LoadMainMovie() {
  if (services_.window) services_.window->ShowMovieView();
  PlacePuzzleIndexes();
  PlayMainMovie();
  movie_loaded = 1;
  SetFullScreen(false);
}

void CVantoPelkoDlg::ReloadMainMovie() {
  if (MovieControl* movie = services_.movie) {
    movie->Stop();
    movie->StopPlay();
    movie->SetMovie("http://");
  }
  SetFullScreen(false);
  PlayMainMovie();
}

void CVantoPelkoDlg::PlayGameMovie() {
  MovieControl* movie = services_.movie;
  if (!movie) return;
  movie->LoadMovie(0, ProgramFile("flashGame.swf"));
  movie->SetLoop(false);
  movie->SetAllowFullScreen("true");
  movie->Play();
  movie->SetScaleMode(0);
}

void CVantoPelkoDlg::ShowKongMovie() {
  MovieControl* movie = services_.movie;
  if (!movie) return;
  movie->SetScaleMode(0);
  if (services_.window) services_.window->CoverClientArea();
  movie->LoadMovie(0, ProgramFile("Kong.swf"));
  movie->SetLoop(false);
  movie->SetAllowFullScreen("true");
  movie->Play();
  if (services_.window) services_.window->CoverClientArea();
}

void CVantoPelkoDlg::SetFullScreen(bool on) {
  if (on ? !window_style.caption : !window_style.popup) return;
  window_style.popup = on;
  window_style.caption = !on;
  if (!services_.window) return;
  if (on) {
    services_.window->EnterFullScreen();
  } else {
    services_.window->LeaveFullScreen();
  }
}

void CVantoPelkoDlg::OnMaximised() {
  if (closing == 0) SetFullScreen(true);
}

void CVantoPelkoDlg::OnEscape() {
  if (movie_loaded == 1 && closing == 0) SetFullScreen(false);
}

// A day far beyond the course gives an index past what the bridge keeps;
// it is held at the largest one.
void CVantoPelkoDlg::PlacePuzzleIndexes() {
  puzzle.SetPictureIndexes(static_cast<std::int32_t>(
      std::clamp<std::int64_t>(NextDayFirst(study), INT32_MIN, INT32_MAX)));
}

void CVantoPelkoDlg::OnClose() {
  if (closing == 1) {
    if (services_.window) services_.window->Minimise();
    return;
  }
  closing = 1;
  if (services_.window) services_.window->Hide();
  if (services_.release_instance) services_.release_instance();
  if (MovieControl* movie = services_.movie) {
    movie->StopPlay();
    movie->Stop();
    movie->LoadMovie(0, "http://");
  }
  // The learner's progress is stored before the exit download begins: a
  // manifest may end the program from the worker ("quit"), and nothing the
  // popup does changes the learner any more.
  study.SaveOnExit();
  CWebDlg popup;
  popup.learned_count = (study.day + 1) * study.group;
  popup.update_query = "?" + study.DayRangeQuery(1) + "&ver=" + kProgramVersion + "&close=1";
  popup.page_host = services_.hosts.account;
  popup.site_host = services_.hosts.site;
  popup.main_window = this;
  if (services_.popups) services_.popups->RunPopup(popup);
  if (services_.window) services_.window->EndDialog(0);
}

void CVantoPelkoDlg::OnDestroy() {
  if (fetcher_ && fetcher_->WorkerRunning()) fetcher_->WaitForWorker();
}

bool CVantoPelkoDlg::FetchManifest(const std::string& query,
                                   vanto::delivery::ProgressTarget* target) {
  return fetcher_ && fetcher_->FetchManifest(query, target);
}

void CVantoPelkoDlg::FetchWithReloadDialog(const std::string& query) {
  if (!services_.reload_dialogs) {
    FetchManifest(query, nullptr);
    return;
  }
  std::unique_ptr<CReloadDlg> dialog = services_.reload_dialogs->CreateReloadDialog();
  if (FetchManifest(query, dialog.get())) dialog->DoModal();
  DetachProgressTarget(dialog.get());
}

void CVantoPelkoDlg::DetachProgressTarget(const vanto::delivery::ProgressTarget* target) {
  if (fetcher_) fetcher_->DetachProgressTarget(target);
}
