#include "shell/vanto_pelko_dlg.h"

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
    : services_(services),
      documents_(services_.boxes),
      study_(&documents_, services_.boxes),
      puzzle_(services_.movie,
              [this](int index, const CStudy& learner) {
                documents_.WritePuzzleHanzi(index, learner);
              }),
      microphone_(services_.movie,
                  [ui = services_.ui](std::function<void()> task) { ui->Post(std::move(task)); }),
      downloads_(*services_.reload_dialogs),
      account_(study_, identity_, services_.hosts.account, *services_.boxes, downloads_),
      media_(study_, documents_, puzzle_, downloads_) {}

CVantoPelkoDlg::~CVantoPelkoDlg() {
  OnDestroy();
}

void CVantoPelkoDlg::SetManifestFetcher(std::unique_ptr<ManifestFetcher> fetcher) {
  downloads_.SetManifestFetcher(std::move(fetcher));
}

bool CVantoPelkoDlg::WorkerRunning() const {
  return downloads_.WorkerRunning();
}

void CVantoPelkoDlg::SetIdentity(int uid, int ppt) {
  identity_.uid = uid;
  identity_.ppt = ppt;
}

void CVantoPelkoDlg::ShowLoadingProgress() {
  services_.window->ShowProgress(progress_range_, progress_position_, status_text_);
}

bool CVantoPelkoDlg::OnInitDialog() {
  identity_.qudao = vanto::platform::ReadChannelValue(31);
  ShowLoadingProgress();
  if (study_.Load(ProgramFile("Vanto.ini"))) {
    std::string query =
        "?" + study_.DayRangeQuery(0) + "&ver=" + kProgramVersion + "&qudao=" + identity_.qudao;
    downloads_.FetchManifest(query, this);
  }
  if (vanto::platform::PathExists("debug.ini")) debug_mode_ = 1;
  return true;
}

void CVantoPelkoDlg::OnDownloadNotice(int code, std::int64_t value, std::string_view line) {
  services_.notice_observer("main", code, value, line);
  if (code == ID_DOWNLOAD_RANGE) {
    progress_range_ = static_cast<int>(value & 0xFFFF);
    progress_position_ = 0;
    status_text_.clear();
  } else if (code == ID_DOWNLOAD_STEP) {
    ++progress_position_;
    status_text_.assign(line);
  } else if (code == ID_DOWNLOAD_DONE) {
    if (value == 0 && closing_ == 0) {
      LoadMainMovie();
    } else {
      services_.window->EndDialog(static_cast<int>(value));
    }
    return;
  } else {
    return;
  }
  ShowLoadingProgress();
}

void CVantoPelkoDlg::OnManifestLoaded(std::int64_t line_count) {
  progress_range_ = static_cast<int>(line_count & 0xFFFF);
  progress_position_ = 0;
  status_text_.clear();
}

// A movie of the program folder, played once, allowed to go full screen.
void CVantoPelkoDlg::PlayMovieFile(const char* name) {
  MovieControl& movie = *services_.movie;
  movie.LoadMovie(0, ProgramFile(name));
  movie.SetLoop(false);
  movie.SetAllowFullScreen("true");
  movie.Play();
}

void CVantoPelkoDlg::PlayMainMovie() {
  PlayMovieFile("Vanto.swf");
}

void CVantoPelkoDlg::LoadMainMovie() {
  services_.window->ShowMovieView();
  PlacePuzzleIndexes();
  PlayMainMovie();
  movie_loaded_ = 1;
  SetFullScreen(false);
}

void CVantoPelkoDlg::ReloadMainMovie() {
  MovieControl& movie = *services_.movie;
  movie.Stop();
  movie.StopPlay();
  movie.SetMovie("http://");
  SetFullScreen(false);
  PlayMainMovie();
}

void CVantoPelkoDlg::PlayGameMovie() {
  PlayMovieFile("flashGame.swf");
  services_.movie->SetScaleMode(0);
}

void CVantoPelkoDlg::ShowKongMovie() {
  services_.movie->SetScaleMode(0);
  services_.window->CoverClientArea();
  PlayMovieFile("Kong.swf");
  services_.window->CoverClientArea();
}

void CVantoPelkoDlg::SetFullScreen(bool on) {
  if (on ? !window_style_.caption : !window_style_.popup) return;
  window_style_.popup = on;
  window_style_.caption = !on;
  if (on) {
    services_.window->EnterFullScreen();
  } else {
    services_.window->LeaveFullScreen();
  }
}

void CVantoPelkoDlg::OnMaximised() {
  if (closing_ == 0) SetFullScreen(true);
}

void CVantoPelkoDlg::OnEscape() {
  if (movie_loaded_ == 1 && closing_ == 0) SetFullScreen(false);
}

void CVantoPelkoDlg::PlacePuzzleIndexes() {
  media_.PlacePuzzleIndexes();
}

void CVantoPelkoDlg::OnClose() {
  if (closing_ == 1) {
    services_.window->Minimise();
    return;
  }
  closing_ = 1;
  services_.window->Hide();
  services_.release_instance();
  MovieControl& movie = *services_.movie;
  movie.StopPlay();
  movie.Stop();
  movie.LoadMovie(0, "http://");
  // The learner's progress is stored before the exit download begins: a
  // manifest may end the program from the worker ("quit"), and nothing the
  // popup does changes the learner any more.
  study_.SaveOnExit();
  CWebDlg popup(ExitNoticeSettings(), downloads_, services_.notice_observer);
  services_.popups->RunPopup(popup);
  services_.window->EndDialog(0);
}

PopupSettings CVantoPelkoDlg::ExitNoticeSettings() const {
  PopupSettings settings;
  settings.learned_count = (study_.day + 1) * study_.group;
  settings.update_query = "?" + study_.DayRangeQuery(1) + "&ver=" + kProgramVersion + "&close=1";
  settings.page_query = account_.UserDayQuery();
  settings.page_host = services_.hosts.account;
  settings.site_host = services_.hosts.site;
  return settings;
}

void CVantoPelkoDlg::OnDestroy() {
  downloads_.WaitForWorker();
}
