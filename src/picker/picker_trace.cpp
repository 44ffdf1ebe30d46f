#include "picker/picker_trace.h"

#include <cstdio>
#include <cstdlib>

void TracePoint(const char* window, const std::string& control, wxPoint centre) {
  static const bool enabled = std::getenv("VANTO_TRACE") != nullptr;
  if (!enabled) return;
  std::fprintf(stderr, "%s\t%s\t%d\t%d\n", window, control.c_str(), centre.x, centre.y);
  std::fflush(stderr);
}

void TraceControl(const char* window, const std::string& control, const wxWindow& where) {
  const wxRect rect = where.GetScreenRect();
  TracePoint(window, control, wxPoint(rect.x + rect.width / 2, rect.y + rect.height / 2));
}
