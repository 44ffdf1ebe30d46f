#include "shell/commands/callback.h"

std::string EscapeCallbackPayload(std::string_view payload) {
  std::string out;
  out.reserve(payload.size());
  for (char c : payload) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string BuildCallbackRequest(std::string_view prefix, std::string_view payload) {
  std::string out(prefix);
  out += EscapeCallbackPayload(payload);
  out += kCallbackSuffix;
  return out;
}

std::string CallMovie(MovieControl* control, const std::string& request) {
  if (!control) return {};
  return control->CallFunction(request);
}
