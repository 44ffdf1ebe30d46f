// The movie control of the windowed program: a WebKitGTK view whose page
// plays the course movies with Ruffle. The page and its files come through
// the "vanto" URI scheme (PlayerFileServer); the movie's fscommands come the
// same way (MovieCommandBridge). Operations the host makes on the movie go
// to the page at once, once it is ready, or with the answer of the command
// being handled.
#pragma once

#include <functional>
#include <string>

#include "delivery/ui_dispatcher.h"
#include "shell/front_end/movie_control.h"
#include "shell/ui/movie_command_bridge.h"
#include "shell/ui/movie_operations.h"
#include "shell/ui/player_file_server.h"

typedef struct _GtkWidget GtkWidget;
typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitURISchemeRequest WebKitURISchemeRequest;

class MovieView : public MovieControl {
 public:
  struct Events {
    // A movie command (code page 936), on the user-interface thread.
    std::function<void(const std::string& command, const std::string& args)> fs_command;
    // The web engine or the player cannot go on (UTF-8 text for the user).
    std::function<void(const std::string& reason)> failed;
    // Escape pressed while the movie has the keyboard.
    std::function<void()> escape;
  };

  // `player_folder` holds the page and Ruffle's files, `font_file` the CJK
  // font the page hands to Ruffle; movies are served from the current
  // (program) folder.
  MovieView(vanto::delivery::UiDispatcher& ui, Events events, std::string player_folder,
            std::string font_file);
  ~MovieView() override;
  MovieView(const MovieView&) = delete;
  MovieView& operator=(const MovieView&) = delete;

  GtkWidget* widget() const;

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

  // Called by the GTK signal handlers.
  void OnSchemeRequest(WebKitURISchemeRequest* request);
  void OnPageMessage(const std::string& message);
  void OnEngineFailure(const std::string& reason);

 private:
  // `op` is a JSON object the page's run() understands.
  void Send(std::string op);
  void SendLoad(const std::string& host_path);
  void Flush();

  Events events_;
  PlayerFileServer files_;
  MovieOperations operations_;
  MovieCommandBridge bridge_;
  WebKitWebView* view_ = nullptr;
  bool page_ready_ = false;
  bool failed_ = false;
  unsigned start_timer_ = 0;
};
