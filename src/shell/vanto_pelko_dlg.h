// The main window's state and operations, free of any window toolkit: the
// learner model, the account numbers, the channel, the story flags, the
// download bookkeeping, the movie switching and the close sequence. The
// screen is reached only through the interfaces in HostServices.
#pragma once

#include <memory>
#include <string>

#include "delivery/progress_target.h"
#include "documents/course_documents.h"
#include "learner/study.h"
#include "shell/account_identity.h"
#include "shell/commands/account_client.h"
#include "shell/commands/media_fetch.h"
#include "shell/devices/microphone.h"
#include "shell/devices/puzzle_bridge.h"
#include "shell/download_bookkeeping.h"
#include "shell/front_end/host_services.h"
#include "shell/popup_window.h"
#include "shell/window_style.h"

inline constexpr const char* kProgramVersion = "20120610";

class CVantoPelkoDlg : public vanto::delivery::ProgressTarget {
 public:
  explicit CVantoPelkoDlg(const HostServices& services);
  ~CVantoPelkoDlg() override;
  CVantoPelkoDlg(const CVantoPelkoDlg&) = delete;
  CVantoPelkoDlg& operator=(const CVantoPelkoDlg&) = delete;

  // The download bookkeeping; none until set (nothing is then fetched).
  void SetManifestFetcher(std::unique_ptr<ManifestFetcher> fetcher);
  bool WorkerRunning() const;

  // Start sequence: channel, learner, start-up content check, debug switch.
  bool OnInitDialog();

  // Worker notices (progress target).
  void OnDownloadNotice(int code, std::int64_t value, std::string_view line) override;
  void OnManifestLoaded(std::int64_t line_count) override;

  void LoadMainMovie();
  void ReloadMainMovie();
  void PlayGameMovie();
  void ShowKongMovie();
  void SetFullScreen(bool on);
  // The puzzle pictures are searched from the first character after the
  // current study day.
  void PlacePuzzleIndexes();

  void OnMaximised();
  void OnEscape();
  void OnClose();
  void OnDestroy();

  // The movie's commands (code page 936 strings).
  void OnFSCommand(const std::string& command, const std::string& args);

  // The learner model, lent to whoever drives the window (the front ends
  // and tests); the window keeps owning it.
  CStudy& study() { return study_; }
  const CStudy& study() const { return study_; }
  const AccountIdentity& identity() const { return identity_; }
  // Sets the account numbers as a login from the movie's cookie would.
  void SetIdentity(int uid, int ppt);
  void SetChannel(const std::string& qudao) { identity_.qudao = qudao; }
  AccountClient& account() { return account_; }
  MediaFetches& media() { return media_; }
  const PuzzleBridge& puzzle() const { return puzzle_; }
  bool debug_mode() const { return debug_mode_ != 0; }
  void SetDebugMode(bool on) { debug_mode_ = on ? 1 : 0; }
  bool movie_loaded() const { return movie_loaded_ != 0; }
  bool closing() const { return closing_ != 0; }

 private:
  void PlayMovieFile(const char* name);
  void PlayMainMovie();
  void ShowLoadingProgress();
  bool DispatchGameAndAccount(const std::string& command, const std::string& args);
  void DispatchActivities(const std::string& command, const std::string& args);
  void SendChapterToMovie();
  void ApplyCookieUser(const std::string& args);
  PopupSettings ExitNoticeSettings() const;

  HostServices services_;
  std::string status_text_;
  int progress_range_ = 0;
  int progress_position_ = 0;
  AccountIdentity identity_;
  vanto::documents::CourseDocuments documents_;
  CStudy study_;
  PuzzleBridge puzzle_;
  MicrophoneMonitor microphone_;
  DownloadBookkeeping downloads_;
  AccountClient account_;
  MediaFetches media_;
  int movie_loaded_ = 0;
  int closing_ = 0;
  int debug_mode_ = 0;
  WindowStyle window_style_;
};
