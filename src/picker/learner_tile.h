// One learner in the picker: the learner's animal, name, chapter and whether
// today's lesson is done. The whole tile is one big button.
#pragma once

#include <wx/panel.h>

#include <functional>

#include "learners/learner_card.h"
#include "learners/learner_standing.h"

class LearnerTile : public wxPanel {
 public:
  // Five in a row fit the picker's width.
  static constexpr int kWidth = 160;
  static constexpr int kHeight = 244;

  LearnerTile(wxWindow* parent, vanto::learners::LearnerCard card,
              vanto::learners::LearnerStanding standing, std::function<void()> on_click);

  const vanto::learners::LearnerCard& card() const { return card_; }
  void SetStudying(bool studying);

 private:
  void OnPaint(wxPaintEvent& event);

  vanto::learners::LearnerCard card_;
  vanto::learners::LearnerStanding standing_;
  std::function<void()> on_click_;
  bool studying_ = false;
  bool hover_ = false;
};
