#include "shell/ui/notice/web_button.h"

#include <wx/dcbuffer.h>

#include "shell/ui/notice/notice_look.h"

CWebButton::CWebButton(wxWindow* parent, const wxBitmap& picture, std::function<void()> on_click)
    : picture_(picture), on_click_(std::move(on_click)) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Create(parent, wxID_ANY, wxDefaultPosition, wxSize(38, 23), wxBORDER_NONE);
  SetCursor(wxCursor(wxCURSOR_HAND));
  Bind(wxEVT_PAINT, [this](wxPaintEvent&) { OnPaint(); });
  Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) { OnLeftDown(); });
  Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) { OnLeftUp(event); });
  Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { SetPressed(false); });
}

void CWebButton::OnPaint() {
  wxAutoBufferedPaintDC dc(this);
  const wxSize size = GetClientSize();
  if (picture_.IsOk()) {
    const int half = picture_.GetWidth() / 2;
    const wxBitmap face =
        picture_.GetSubBitmap(wxRect(pressed_ ? half : 0, 0, half, picture_.GetHeight()));
    dc.DrawBitmap(face, 0, 0);
    return;
  }
  dc.SetBrush(wxBrush(notice_look::kHeaderColour));
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.DrawRectangle(wxPoint(0, 0), size);
  dc.SetFont(notice_look::SongFont());
  dc.SetTextForeground(pressed_ ? *wxRED : *wxWHITE);
  dc.SetBackgroundMode(wxTRANSPARENT);
  const wxSize text = dc.GetTextExtent("x");
  dc.DrawText("x", (size.x - text.x) / 2, (size.y - text.y) / 2);
}

void CWebButton::OnLeftDown() {
  if (!HasCapture()) CaptureMouse();
  SetPressed(true);
}

void CWebButton::OnLeftUp(const wxMouseEvent& event) {
  if (HasCapture()) ReleaseMouse();
  const bool clicked = pressed_ && GetClientRect().Contains(event.GetPosition());
  SetPressed(false);
  if (clicked && on_click_) on_click_();
}

void CWebButton::SetPressed(bool pressed) {
  if (pressed_ == pressed) return;
  pressed_ = pressed;
  Refresh();
}
