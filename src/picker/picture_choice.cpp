#include "picker/picture_choice.h"

#include <wx/dcbuffer.h>
#include <wx/graphics.h>

#include <memory>

#include "picker/animal_pictures.h"
#include "picker/paint_canvas.h"

namespace {
constexpr int kGap = 8;
}

PictureChoice::PictureChoice(wxWindow* parent, int chosen)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition,
              wxSize(kAnimalCount * (kSize + kGap), kSize + 2 * kGap)),
      chosen_(chosen) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetCursor(wxCursor(wxCURSOR_HAND));
  Bind(wxEVT_PAINT, &PictureChoice::OnPaint, this);
  Bind(wxEVT_LEFT_UP, &PictureChoice::OnClick, this);
}

wxPoint PictureChoice::PictureCentre(int index) const {
  return ClientToScreen(wxPoint(kGap / 2 + index * (kSize + kGap) + kSize / 2, kGap + kSize / 2));
}

void PictureChoice::OnClick(wxMouseEvent& event) {
  const int index = event.GetX() / (kSize + kGap);
  if (index < 0 || index >= kAnimalCount) return;
  chosen_ = index;
  Refresh();
}

void PictureChoice::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  std::unique_ptr<wxGraphicsContext> gc = ClearedCanvas(*this, dc);
  if (!gc) return;
  for (int i = 0; i < kAnimalCount; ++i) {
    const double x = kGap / 2 + i * (kSize + kGap);
    if (i == chosen_) {
      gc->SetPen(wxPen(wxColour(255, 150, 20), 6));
      gc->SetBrush(*wxTRANSPARENT_BRUSH);
      gc->DrawEllipse(x - 3, kGap - 3, kSize + 6, kSize + 6);
    }
    DrawAnimal(*gc, i, wxRect2DDouble(x, kGap, kSize, kSize));
  }
}
