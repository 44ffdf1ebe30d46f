// With VANTO_TRACE set, the picker writes where its controls are on the
// screen to standard error (window, TAB, control, TAB, centre x, TAB, centre
// y), so that a test can drive it by mouse like a child does.
#pragma once

#include <wx/window.h>

#include <string>

void TracePoint(const char* window, const std::string& control, wxPoint centre);
void TraceControl(const char* window, const std::string& control, const wxWindow& where);
