// "Add a learner": a name and a picture. The dialog stays open with the
// reason shown when the learner cannot be added (no name, a name taken).
#pragma once

#include <wx/dialog.h>

#include <functional>
#include <string>

class wxTextCtrl;
class wxStaticText;
class PictureChoice;

class AddLearnerDialog : public wxDialog {
 public:
  // `add` adds the learner and returns what went wrong, or empty text.
  using AddFunction = std::function<std::string(const std::string& name, int picture)>;
  AddLearnerDialog(wxWindow* parent, int first_picture, AddFunction add);

 private:
  void OnAdd();
  void TraceControls();

  AddFunction add_;
  wxTextCtrl* name_;
  PictureChoice* pictures_;
  wxStaticText* problem_;
  wxWindow* add_button_;
};
