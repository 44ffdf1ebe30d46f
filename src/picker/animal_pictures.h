// The learners' pictures: friendly animal faces drawn at run time, each on a
// disc of its own colour, so a child who cannot read yet finds their own.
#pragma once

#include <wx/geometry.h>
#include <wx/string.h>

class wxGraphicsContext;

inline constexpr int kAnimalCount = 8;

// The animal's name (小猫, 小狗, ...); index taken modulo kAnimalCount.
wxString AnimalName(int index);

// Draws animal `index` to fill the square `box`.
void DrawAnimal(wxGraphicsContext& gc, int index, const wxRect2DDouble& box);
