// Call-back requests to the movie: an ExternalInterface invoke element with
// one string argument, built from a fixed prefix, the payload and a suffix.
#pragma once

#include <string>
#include <string_view>

#include "shell/front_end/movie_control.h"

inline constexpr std::string_view kChapterCallbackPrefix =
    "<invoke name=\"cbChapter\"><arguments><string>";
inline constexpr std::string_view kMicrophoneCallbackPrefix =
    "<invoke name=\"cbMicrophone\"><arguments><string>0,";
inline constexpr std::string_view kPuzzleCallbackPrefix =
    "<invoke name=\"cbPuzzle\"><arguments><string>";
inline constexpr std::string_view kCallbackSuffix = "</string></arguments></invoke>";

// Escapes the characters that would break the request's XML (& < >); text
// without them is returned unchanged.
std::string EscapeCallbackPayload(std::string_view payload);

// prefix + escaped payload + suffix.
std::string BuildCallbackRequest(std::string_view prefix, std::string_view payload);

// Sends a request through the control and returns the movie's reply; with no
// control the call does nothing and the reply is empty.
std::string CallMovie(MovieControl* control, const std::string& request);
