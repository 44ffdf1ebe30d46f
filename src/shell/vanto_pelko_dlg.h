// The main window's state and operations, free of any window toolkit: the
// learner model, the account numbers, the channel, the story flags, the
// download bookkeeping, the movie switching and the close sequence. The
// screen is reached only through the interfaces in HostServices.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "delivery/progress_target.h"
#include "documents/course_documents.h"
#include "learner/study.h"
#include "shell/devices/microphone.h"
#include "shell/devices/puzzle_bridge.h"
#include "shell/host_services.h"
#include "shell/window_style.h"

inline constexpr const char* kProgramVersion = "20120610";

class CVantoPelkoDlg : public vanto::delivery::ProgressTarget {
 public:
  explicit CVantoPelkoDlg(const HostServices& services);
  ~CVantoPelkoDlg() override;

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

  // Manifest fetch with this window's bookkeeping; true when a worker started.
  bool FetchManifest(const std::string& query, vanto::delivery::ProgressTarget* target);
  // A new reload dialog as target; shown modally when the fetch started.
  void FetchWithReloadDialog(const std::string& query);
  // A progress target about to go away: no further notice reaches it.
  void DetachProgressTarget(const vanto::delivery::ProgressTarget* target);

  const HostServices& services() const { return services_; }

  // Fields shared by the command handlers.
  std::string status_text;
  int progress_range = 0;
  int progress_position = 0;
  int uid = 0;
  int ppt = 0;
  std::string qudao;  // at most 31 bytes
  vanto::documents::CourseDocuments documents;
  CStudy study;
  PuzzleBridge puzzle;
  MicrophoneMonitor microphone;
  std::array<int, 64> story_present{};
  int movie_loaded = 0;
  int closing = 0;
  int debug_mode = 0;
  WindowStyle window_style;

 private:
  void PlayMainMovie();
  bool DispatchGameAndAccount(const std::string& command, const std::string& args);
  void DispatchActivities(const std::string& command, const std::string& args);
  void SendChapterToMovie();
  void ApplyCookieUser(const std::string& args);

  HostServices services_;
  std::unique_ptr<ManifestFetcher> fetcher_;
};
