// A row of the animal pictures to choose one from, as big round buttons; the
// chosen one has a thick orange ring.
#pragma once

#include <wx/panel.h>

class PictureChoice : public wxPanel {
 public:
  static constexpr int kSize = 76;

  PictureChoice(wxWindow* parent, int chosen);
  int chosen() const { return chosen_; }
  // Centre of picture `index` on the screen (for the trace).
  wxPoint PictureCentre(int index) const;

 private:
  void OnPaint(wxPaintEvent& event);
  void OnClick(wxMouseEvent& event);

  int chosen_;
};
