// The notice window's close button. With a picture it draws the picture's
// left half, or its right half while pressed; without one it is a teal
// square with a white "x" that turns red while pressed.
#pragma once

#include <wx/bitmap.h>
#include <wx/window.h>

#include <functional>

class CWebButton : public wxWindow {
 public:
  CWebButton(wxWindow* parent, const wxBitmap& picture, std::function<void()> on_click);

 private:
  void OnPaint();
  void OnLeftDown();
  void OnLeftUp(const wxMouseEvent& event);
  void SetPressed(bool pressed);

  wxBitmap picture_;
  std::function<void()> on_click_;
  bool pressed_ = false;
};
