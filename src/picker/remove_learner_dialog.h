// Removing a learner is the parents' business: they choose the learner and
// type the learner's name in full before the folder goes to the trash.
#pragma once

#include <wx/dialog.h>

#include <vector>

#include "learners/learner_card.h"

class wxChoice;
class wxTextCtrl;
class wxButton;

class RemoveLearnerDialog : public wxDialog {
 public:
  RemoveLearnerDialog(wxWindow* parent, std::vector<vanto::learners::LearnerCard> learners);

  // The learner whose name was typed in full (valid after wxID_OK).
  const vanto::learners::LearnerCard& chosen() const;

 private:
  void UpdateButton();

  std::vector<vanto::learners::LearnerCard> learners_;
  wxChoice* which_;
  wxTextCtrl* typed_;
  wxButton* remove_;
};
