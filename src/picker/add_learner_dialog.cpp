#include "picker/add_learner_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "picker/animal_pictures.h"
#include "picker/picker_trace.h"
#include "picker/picture_choice.h"

namespace {
wxString U(const char* text) {
  return wxString::FromUTF8(text);
}
}  // namespace

AddLearnerDialog::AddLearnerDialog(wxWindow* parent, int first_picture, AddFunction add)
    : wxDialog(parent, wxID_ANY, U("添加学习者")), add_(std::move(add)) {
  SetBackgroundColour(wxColour(255, 250, 240));
  auto* column = new wxBoxSizer(wxVERTICAL);
  const wxFont big(wxFontInfo(16));
  auto* name_label = new wxStaticText(this, wxID_ANY, U("名字："));
  name_label->SetFont(big);
  name_ =
      new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxSize(360, -1), wxTE_PROCESS_ENTER);
  name_->SetFont(wxFont(wxFontInfo(20)));
  name_->SetMaxLength(40);
  auto* picture_label = new wxStaticText(this, wxID_ANY, U("选一个小动物："));
  picture_label->SetFont(big);
  pictures_ = new PictureChoice(this, first_picture);
  problem_ = new wxStaticText(this, wxID_ANY, "");
  problem_->SetFont(big);
  problem_->SetForegroundColour(wxColour(200, 40, 40));
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  auto* add_button = new wxButton(this, wxID_OK, U("添加"), wxDefaultPosition, wxSize(140, 48));
  auto* cancel = new wxButton(this, wxID_CANCEL, U("取消"), wxDefaultPosition, wxSize(140, 48));
  add_button->SetFont(big);
  cancel->SetFont(big);
  add_button_ = add_button;
  buttons->Add(add_button, 0, wxRIGHT, 16);
  buttons->Add(cancel);

  column->Add(name_label, 0, wxLEFT | wxRIGHT | wxTOP, 20);
  column->Add(name_, 0, wxALL, 20);
  column->Add(picture_label, 0, wxLEFT | wxRIGHT, 20);
  column->Add(pictures_, 0, wxALL, 12);
  column->Add(problem_, 0, wxLEFT | wxRIGHT, 20);
  column->Add(buttons, 0, wxALL | wxALIGN_RIGHT, 20);
  SetSizerAndFit(column);
  CentreOnParent();
  name_->SetFocus();

  add_button->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnAdd(); });
  name_->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { OnAdd(); });
  Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
    if (event.IsShown()) CallAfter([this] { TraceControls(); });
    event.Skip();
  });
}

void AddLearnerDialog::OnAdd() {
  const std::string problem = add_(name_->GetValue().utf8_string(), pictures_->chosen());
  if (problem.empty()) {
    EndModal(wxID_OK);
    return;
  }
  problem_->SetLabel(wxString::FromUTF8(problem.c_str()));
  Layout();
  Fit();
  TraceControls();
}

void AddLearnerDialog::TraceControls() {
  TraceControl("AddLearner", "name", *name_);
  for (int i = 0; i < kAnimalCount; ++i) {
    TracePoint("AddLearner", "picture " + std::to_string(i), pictures_->PictureCentre(i));
  }
  TraceControl("AddLearner", "add", *add_button_);
}
