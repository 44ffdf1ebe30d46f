// The web context the movie plays in. The player keeps the movie's local
// store (the learner's identity on the account service) in the context's
// data folder. An installation made for one of several learners holds a
// folder "player-data" for it, so that each learner keeps an identity of
// their own; without one the user's shared web data folder is used, as it
// always was.
#pragma once

#include <webkit2/webkit2.h>

#include <string>

inline constexpr char kPlayerDataFolder[] = "player-data";

// A new context for the installation in `program_folder` (a native path).
WebKitWebContext* NewPlayerContext(const std::string& program_folder);
