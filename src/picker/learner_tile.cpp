#include "picker/learner_tile.h"

#include <wx/dcbuffer.h>
#include <wx/graphics.h>

#include <memory>

#include "learner/chapter_table.h"
#include "picker/animal_pictures.h"
#include "picker/paint_canvas.h"

namespace {

wxString ChapterLine(const vanto::learners::LearnerStanding& standing) {
  if (!standing.started) return wxString::FromUTF8("还没开始");
  return wxString::Format(wxString::FromUTF8("第%s章 · 第%d天"),
                          wxString::FromUTF8(ChapterTable[standing.chapter].name),
                          standing.days_in_chapter + 1);
}

wxString TodayLine(const vanto::learners::LearnerStanding& standing, bool studying) {
  if (studying) return wxString::FromUTF8("正在学习…");
  return wxString::FromUTF8(standing.done_today ? "今天学完了 ★" : "今天还没学");
}

}  // namespace

LearnerTile::LearnerTile(wxWindow* parent, vanto::learners::LearnerCard card,
                         vanto::learners::LearnerStanding standing, std::function<void()> on_click)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxSize(kWidth, kHeight)),
      card_(std::move(card)),
      standing_(standing),
      on_click_(std::move(on_click)) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetCursor(wxCursor(wxCURSOR_HAND));
  Bind(wxEVT_PAINT, &LearnerTile::OnPaint, this);
  Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) { on_click_(); });
  Bind(wxEVT_ENTER_WINDOW, [this](wxMouseEvent&) { hover_ = true, Refresh(); });
  Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent&) { hover_ = false, Refresh(); });
}

void LearnerTile::SetStudying(bool studying) {
  if (studying == studying_) return;
  studying_ = studying;
  Refresh();
}

void LearnerTile::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  std::unique_ptr<wxGraphicsContext> gc = ClearedCanvas(*this, dc);
  if (!gc) return;
  const wxSize size = GetClientSize();
  gc->SetPen(wxPen(hover_ ? wxColour(255, 170, 40) : wxColour(225, 215, 200), hover_ ? 4 : 2));
  gc->SetBrush(wxBrush(studying_ ? wxColour(255, 244, 214) : *wxWHITE));
  gc->DrawRoundedRectangle(3, 3, size.x - 6, size.y - 6, 18);
  const double picture = size.x - 36;
  DrawAnimal(*gc, card_.picture, wxRect2DDouble(18, 14, picture, picture));

  // Fixed rows, so that names in any script leave the lines below in place.
  const double name_top = 18 + picture;
  gc->SetFont(wxFont(wxFontInfo(19).Bold()), wxColour(60, 50, 40));
  const wxString name = wxString::FromUTF8(card_.name.c_str());
  double w = 0, h = 0;
  gc->GetTextExtent(name, &w, &h);
  gc->DrawText(name, std::max(6.0, (size.x - w) / 2), name_top + std::max(0.0, (34 - h) / 2));
  double y = name_top + 38;
  for (const wxString& line : {ChapterLine(standing_), TodayLine(standing_, studying_)}) {
    const bool done = line.Contains(wxString::FromUTF8("★"));
    gc->SetFont(wxFont(wxFontInfo(12)), done ? wxColour(40, 140, 60) : wxColour(110, 100, 90));
    gc->GetTextExtent(line, &w, &h);
    gc->DrawText(line, std::max(6.0, (size.x - w) / 2), y);
    y += 24;
  }
}
