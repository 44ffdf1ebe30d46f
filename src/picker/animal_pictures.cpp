#include "picker/animal_pictures.h"

#include <wx/brush.h>
#include <wx/graphics.h>
#include <wx/pen.h>

#include <algorithm>
#include <cmath>

namespace {

enum class Ears { kCat, kDog, kRabbit, kRound, kNone, kPig };

struct Animal {
  const char* name;
  wxColour background, face, ear_inside, cheek;
  Ears ears;
};

const Animal& AnimalAt(int index) {
  static const Animal kAnimals[kAnimalCount] = {
      {"小猫", wxColour(255, 214, 153), wxColour(247, 160, 72), wxColour(255, 200, 190),
       wxColour(255, 140, 140), Ears::kCat},
      {"小狗", wxColour(190, 225, 255), wxColour(196, 140, 96), wxColour(120, 80, 50),
       wxColour(255, 150, 150), Ears::kDog},
      {"小兔", wxColour(210, 240, 200), wxColour(250, 250, 250), wxColour(255, 180, 200),
       wxColour(255, 160, 180), Ears::kRabbit},
      {"熊猫", wxColour(200, 230, 170), wxColour(255, 255, 255), wxColour(40, 40, 40),
       wxColour(255, 170, 180), Ears::kRound},
      {"小鸡", wxColour(180, 220, 250), wxColour(255, 220, 60), wxColour(255, 220, 60),
       wxColour(255, 150, 120), Ears::kNone},
      {"青蛙", wxColour(255, 230, 170), wxColour(120, 200, 90), wxColour(120, 200, 90),
       wxColour(255, 150, 150), Ears::kNone},
      {"小熊", wxColour(255, 225, 200), wxColour(170, 110, 70), wxColour(230, 180, 140),
       wxColour(255, 140, 120), Ears::kRound},
      {"小猪", wxColour(220, 210, 255), wxColour(255, 180, 200), wxColour(240, 130, 160),
       wxColour(255, 120, 150), Ears::kPig},
  };
  return kAnimals[((index % kAnimalCount) + kAnimalCount) % kAnimalCount];
}

void Disc(wxGraphicsContext& gc, double x, double y, double r, const wxColour& colour) {
  gc.SetBrush(wxBrush(colour));
  gc.DrawEllipse(x - r, y - r, 2 * r, 2 * r);
}

void Oval(wxGraphicsContext& gc, double x, double y, double w, double h, const wxColour& colour) {
  gc.SetBrush(wxBrush(colour));
  gc.DrawEllipse(x - w / 2, y - h / 2, w, h);
}

void Triangle(wxGraphicsContext& gc, wxPoint2DDouble a, wxPoint2DDouble b, wxPoint2DDouble c,
              const wxColour& colour) {
  wxGraphicsPath path = gc.CreatePath();
  path.MoveToPoint(a);
  path.AddLineToPoint(b);
  path.AddLineToPoint(c);
  path.CloseSubpath();
  gc.SetBrush(wxBrush(colour));
  gc.FillPath(path);
}

// Ears behind the head; (x, y) is the head's centre, r its radius.
void DrawEars(wxGraphicsContext& gc, const Animal& a, double x, double y, double r) {
  for (const double side : {-1.0, 1.0}) {
    switch (a.ears) {
      case Ears::kCat:
      case Ears::kPig: {
        const double tip = a.ears == Ears::kCat ? 1.25 : 1.05;
        Triangle(gc, {x + side * r * 0.95, y - r * 0.2}, {x + side * r * 0.85, y - r * tip},
                 {x + side * r * 0.3, y - r * 0.8}, a.face);
        Triangle(gc, {x + side * r * 0.8, y - r * 0.35}, {x + side * r * 0.78, y - r * (tip - 0.2)},
                 {x + side * r * 0.45, y - r * 0.75}, a.ear_inside);
        break;
      }
      case Ears::kDog:
        Oval(gc, x + side * r * 0.95, y + r * 0.05, r * 0.5, r * 1.1, a.ear_inside);
        break;
      case Ears::kRabbit:
        Oval(gc, x + side * r * 0.4, y - r * 1.15, r * 0.45, r * 1.3, a.face);
        Oval(gc, x + side * r * 0.4, y - r * 1.1, r * 0.22, r * 1.0, a.ear_inside);
        break;
      case Ears::kRound:
        Disc(gc, x + side * r * 0.72, y - r * 0.72, r * 0.33, a.ear_inside);
        break;
      case Ears::kNone:
        break;
    }
  }
}

void DrawFace(wxGraphicsContext& gc, const Animal& a, double x, double y, double r) {
  const wxColour dark(45, 40, 40), white(255, 255, 255);
  const bool frog = a.ears == Ears::kNone && a.face.Green() > a.face.Red();
  const bool panda = a.ears == Ears::kRound && a.face == white;
  for (const double side : {-1.0, 1.0}) {
    const double ex = x + side * r * 0.38, ey = frog ? y - r * 0.72 : y - r * 0.12;
    if (frog) Disc(gc, ex, ey, r * 0.3, a.face);
    if (frog) Disc(gc, ex, ey, r * 0.22, white);
    if (panda) Oval(gc, ex, ey + r * 0.04, r * 0.36, r * 0.46, a.ear_inside);
    Disc(gc, ex, ey, r * 0.12, panda ? white : dark);
    Disc(gc, ex + (panda ? 0 : r * 0.04), ey - r * 0.04, r * (panda ? 0.08 : 0.045),
         panda ? dark : white);
    Disc(gc, x + side * r * 0.62, y + r * 0.25, r * 0.13, a.cheek);
  }
  if (a.ears == Ears::kPig) {
    Oval(gc, x, y + r * 0.28, r * 0.55, r * 0.38, a.ear_inside);
    Disc(gc, x - r * 0.1, y + r * 0.28, r * 0.06, dark);
    Disc(gc, x + r * 0.1, y + r * 0.28, r * 0.06, dark);
    return;
  }
  if (a.ears == Ears::kNone && !frog) {  // the chick's beak
    Triangle(gc, {x - r * 0.16, y + r * 0.12}, {x + r * 0.16, y + r * 0.12}, {x, y + r * 0.36},
             wxColour(255, 140, 40));
    return;
  }
  if (a.ears == Ears::kDog || a.ears == Ears::kRound)
    Oval(gc, x, y + r * 0.3, r * 0.6, r * 0.42, wxColour(250, 235, 215));
  Oval(gc, x, y + r * 0.16, r * 0.2, r * 0.14, frog ? wxColour(60, 120, 50) : dark);
  // A smile.
  wxGraphicsPath smile = gc.CreatePath();
  smile.AddArc(x, y + r * 0.2, r * 0.22, 0.15 * M_PI, 0.85 * M_PI, true);
  gc.SetPen(wxPen(dark, std::max(2, static_cast<int>(r * 0.05))));
  gc.StrokePath(smile);
  gc.SetPen(*wxTRANSPARENT_PEN);
}

}  // namespace

wxString AnimalName(int index) {
  return wxString::FromUTF8(AnimalAt(index).name);
}

void DrawAnimal(wxGraphicsContext& gc, int index, const wxRect2DDouble& box) {
  const Animal& a = AnimalAt(index);
  const double size = std::min(box.m_width, box.m_height);
  const double cx = box.m_x + box.m_width / 2, cy = box.m_y + box.m_height / 2;
  gc.SetPen(*wxTRANSPARENT_PEN);
  Disc(gc, cx, cy, size / 2, a.background);
  const double r = size * 0.3, hy = cy + size * 0.08;
  DrawEars(gc, a, cx, hy, r);
  Disc(gc, cx, hy, r, a.face);
  DrawFace(gc, a, cx, hy, r);
}
