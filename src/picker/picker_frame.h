// The picker: every learner of this computer account with their picture; a
// child starts the course by clicking their own. Parents add and remove
// learners here. Only one learner studies at a time: while the course runs,
// the picker says who is studying.
#pragma once

#include <wx/frame.h>
#include <wx/timer.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "learners/learner_roster.h"

class LearnerTile;
class wxStaticText;
class wxWrapSizer;
class wxScrolledWindow;

class PickerFrame : public wxFrame {
 public:
  using ChosenFunction = std::function<void(const std::filesystem::path& folder)>;
  PickerFrame(vanto::learners::LearnerRoster& roster, ChosenFunction on_chosen);

 private:
  void Rebuild();
  void ShowStudying();
  void TraceControls();
  void OnTile(const vanto::learners::LearnerCard& card);
  void OnAdd();
  void OnRemove();
  // The learner whose course is running, when one is.
  std::optional<vanto::learners::LearnerCard> Studying() const;

  vanto::learners::LearnerRoster& roster_;
  ChosenFunction on_chosen_;
  wxScrolledWindow* tiles_panel_;
  wxWrapSizer* tiles_sizer_;
  wxStaticText* banner_;
  wxWindow* add_button_;
  wxWindow* remove_button_;
  std::vector<LearnerTile*> tiles_;
  wxTimer timer_;
};
