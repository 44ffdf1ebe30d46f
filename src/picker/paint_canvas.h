// The start of every custom paint in the learners' window: the window's
// area cleared to its parent's colour, and a graphics context for smooth
// shapes (none when the toolkit cannot make one).
#pragma once

#include <wx/dcbuffer.h>
#include <wx/graphics.h>
#include <wx/window.h>

#include <memory>

inline std::unique_ptr<wxGraphicsContext> ClearedCanvas(wxWindow& window,
                                                        wxAutoBufferedPaintDC& dc) {
  dc.SetBackground(wxBrush(window.GetParent()->GetBackgroundColour()));
  dc.Clear();
  return std::unique_ptr<wxGraphicsContext>(wxGraphicsContext::Create(dc));
}
