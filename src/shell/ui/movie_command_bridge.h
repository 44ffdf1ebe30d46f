// The movie's fscommands as the player page sends them: a synchronous
// request "cmd=<escaped>&args=<escaped>" that the movie waits on. The
// command runs from the user-interface queue (not inside the engine's
// callback), and the answer carries the operations the handler made on the
// movie, which the page runs right after the command, in order.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "delivery/ui_dispatcher.h"
#include "shell/ui/movie_operations.h"

typedef struct _WebKitURISchemeRequest WebKitURISchemeRequest;

class MovieCommandBridge {
 public:
  // Command and arguments in code page 936, on the user-interface thread.
  using Handler = std::function<void(const std::string& command, const std::string& args)>;

  MovieCommandBridge(vanto::delivery::UiDispatcher& ui, MovieOperations& operations,
                     Handler handler);
  // A command still queued is then answered with no operations.
  ~MovieCommandBridge();
  MovieCommandBridge(const MovieCommandBridge&) = delete;
  MovieCommandBridge& operator=(const MovieCommandBridge&) = delete;

  void Handle(WebKitURISchemeRequest* request);

 private:
  vanto::delivery::UiDispatcher& ui_;
  MovieOperations& operations_;
  Handler handler_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
