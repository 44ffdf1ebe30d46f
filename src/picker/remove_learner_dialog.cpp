#include "picker/remove_learner_dialog.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "picker/picker_trace.h"

namespace {
wxString U(const char* text) {
  return wxString::FromUTF8(text);
}
}  // namespace

RemoveLearnerDialog::RemoveLearnerDialog(wxWindow* parent,
                                         std::vector<vanto::learners::LearnerCard> learners)
    : wxDialog(parent, wxID_ANY, U("移除学习者")), learners_(std::move(learners)) {
  auto* column = new wxBoxSizer(wxVERTICAL);
  const wxFont font(wxFontInfo(13));
  auto text = [&](const char* label) {
    auto* line = new wxStaticText(this, wxID_ANY, U(label));
    line->SetFont(font);
    column->Add(line, 0, wxLEFT | wxRIGHT | wxTOP, 16);
  };
  text("要移除哪一位学习者？");
  which_ = new wxChoice(this, wxID_ANY);
  for (const auto& card : learners_) which_->Append(wxString::FromUTF8(card.name.c_str()));
  which_->SetSelection(0);
  which_->SetFont(font);
  column->Add(which_, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 16);
  text("请输入这位学习者的全名，确认移除：");
  typed_ = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxSize(360, -1));
  typed_->SetFont(font);
  column->Add(typed_, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 16);
  text("学习记录会移到回收站，需要时可以从回收站找回。");
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  remove_ = new wxButton(this, wxID_OK, U("移到回收站"));
  buttons->Add(remove_, 0, wxRIGHT, 12);
  buttons->Add(new wxButton(this, wxID_CANCEL, U("取消")));
  column->Add(buttons, 0, wxALL | wxALIGN_RIGHT, 16);
  SetSizerAndFit(column);
  CentreOnParent();
  UpdateButton();

  which_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { UpdateButton(); });
  typed_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { UpdateButton(); });
  Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
    if (event.IsShown()) {
      CallAfter([this] {
        TraceControl("RemoveLearner", "name", *typed_);
        TraceControl("RemoveLearner", "remove", *remove_);
      });
    }
    event.Skip();
  });
}

const vanto::learners::LearnerCard& RemoveLearnerDialog::chosen() const {
  return learners_.at(static_cast<std::size_t>(std::max(which_->GetSelection(), 0)));
}

void RemoveLearnerDialog::UpdateButton() {
  remove_->Enable(typed_->GetValue().utf8_string() == chosen().name);
}
