#include "picker/picker_frame.h"

#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/scrolwin.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/wrapsizer.h>

#include "learners/learner_standing.h"
#include "learners/learner_trash.h"
#include "picker/add_learner_dialog.h"
#include "picker/animal_pictures.h"
#include "picker/learner_tile.h"
#include "picker/picker_trace.h"
#include "picker/remove_learner_dialog.h"
#include "platform/instance_lock.h"

namespace {

namespace fs = std::filesystem;
using vanto::learners::LearnerCard;

wxString U(const std::string& text) {
  return wxString::FromUTF8(text.c_str());
}

constexpr int kStudyingPollMs = 2000;
const wxColour kBackground(255, 250, 240);

}  // namespace

PickerFrame::PickerFrame(vanto::learners::LearnerRoster& roster, ChosenFunction on_chosen)
    : wxFrame(nullptr, wxID_ANY, U("VantoPelko · 谁来学习？"), wxDefaultPosition, wxSize(920, 560)),
      roster_(roster),
      on_chosen_(std::move(on_chosen)),
      timer_(this) {
  SetBackgroundColour(kBackground);
  auto* column = new wxBoxSizer(wxVERTICAL);
  auto* title = new wxStaticText(this, wxID_ANY, U("谁来学习？点一点你的小动物！"));
  title->SetFont(wxFont(wxFontInfo(26).Bold()));
  title->SetForegroundColour(wxColour(90, 60, 30));
  banner_ = new wxStaticText(this, wxID_ANY, " ");
  banner_->SetFont(wxFont(wxFontInfo(16)));
  banner_->SetForegroundColour(wxColour(200, 90, 20));
  // Scrolls down when more learners than fit in the window.
  tiles_panel_ = new wxScrolledWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxVSCROLL);
  tiles_panel_->SetScrollRate(0, 20);
  tiles_panel_->SetBackgroundColour(kBackground);
  tiles_sizer_ = new wxWrapSizer(wxHORIZONTAL);
  tiles_panel_->SetSizer(tiles_sizer_);

  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  auto* add = new wxButton(this, wxID_ANY, U("＋ 添加学习者"), wxDefaultPosition, wxSize(200, 48));
  add->SetFont(wxFont(wxFontInfo(15)));
  auto* remove = new wxButton(this, wxID_ANY, U("移除学习者…"));
  add_button_ = add;
  remove_button_ = remove;
  buttons->Add(add, 0, wxRIGHT, 16);
  buttons->AddStretchSpacer();
  buttons->Add(remove, 0, wxALIGN_BOTTOM);

  column->Add(title, 0, wxALIGN_CENTRE | wxTOP, 24);
  column->Add(banner_, 0, wxALIGN_CENTRE | wxTOP, 8);
  column->Add(tiles_panel_, 1, wxEXPAND | wxALL, 16);
  column->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 20);
  SetSizer(column);

  add->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnAdd(); });
  remove->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnRemove(); });
  Bind(wxEVT_TIMER, [this](wxTimerEvent&) { ShowStudying(); });
  timer_.Start(kStudyingPollMs);
  Rebuild();
  Centre();
}

void PickerFrame::Rebuild() {
  tiles_sizer_->Clear(true);
  tiles_.clear();
  const std::vector<LearnerCard> learners = roster_.List();
  if (learners.empty()) {
    auto* none = new wxStaticText(tiles_panel_, wxID_ANY, U("还没有学习者。请先添加一位。"));
    none->SetFont(wxFont(wxFontInfo(18)));
    tiles_sizer_->Add(none, 0, wxALL, 40);
  }
  for (const LearnerCard& card : learners) {
    auto* tile =
        new LearnerTile(tiles_panel_, card, vanto::learners::ReadLearnerStanding(card.folder),
                        [this, card] { OnTile(card); });
    tiles_sizer_->Add(tile, 0, wxALL, 4);
    tiles_.push_back(tile);
  }
  remove_button_->Enable(!learners.empty());
  Layout();
  tiles_panel_->FitInside();
  tiles_panel_->Layout();
  ShowStudying();
  CallAfter([this] { TraceControls(); });
}

std::optional<LearnerCard> PickerFrame::Studying() const {
  const std::optional<std::string> holder =
      vanto::platform::InstanceLock::Holder("VantoPelkoEvent");
  if (!holder) return std::nullopt;
  std::error_code error;
  for (const LearnerCard& card : roster_.List()) {
    if (!holder->empty() && fs::equivalent(card.folder, *holder, error)) return card;
  }
  return LearnerCard{};  // someone, from a folder that is not a learner's
}

void PickerFrame::ShowStudying() {
  const std::optional<LearnerCard> studying = Studying();
  wxString text = " ";
  if (studying) {
    text = studying->name.empty() ? U("有人正在学习，请等一会儿。")
                                  : U("“" + studying->name + "”正在学习，请等一会儿。");
  }
  if (banner_->GetLabel() != text) {
    banner_->SetLabel(text);
    Layout();
    if (studying) TraceControl("Picker", "studying " + studying->name, *banner_);
  }
  for (LearnerTile* tile : tiles_) {
    tile->SetStudying(studying && studying->folder == tile->card().folder);
  }
}

void PickerFrame::TraceControls() {
  for (LearnerTile* tile : tiles_) TraceControl("Picker", "learner " + tile->card().name, *tile);
  TraceControl("Picker", "add", *add_button_);
  TraceControl("Picker", "remove", *remove_button_);
}

void PickerFrame::OnTile(const LearnerCard& card) {
  if (const std::optional<LearnerCard> studying = Studying()) {
    ShowStudying();
    const std::string who = studying->name.empty() ? "有人" : "“" + studying->name + "”";
    wxMessageBox(U(who + "正在学习。一次只能有一位学习者，请等一会儿再来。"), U("VantoPelko"),
                 wxOK | wxICON_INFORMATION, this);
    return;
  }
  timer_.Stop();
  on_chosen_(card.folder);
  Close();
}

void PickerFrame::OnAdd() {
  const int picture = static_cast<int>(roster_.List().size()) % kAnimalCount;
  AddLearnerDialog dialog(this, picture, [this](const std::string& name, int chosen) {
    vanto::learners::LearnerRoster::Added added = roster_.Add(name, chosen);
    return added.card ? std::string() : added.problem;
  });
  if (dialog.ShowModal() == wxID_OK) Rebuild();
}

void PickerFrame::OnRemove() {
  RemoveLearnerDialog dialog(this, roster_.List());
  if (dialog.ShowModal() != wxID_OK) return;
  const LearnerCard& card = dialog.chosen();
  const std::optional<LearnerCard> studying = Studying();
  if (studying && studying->folder == card.folder) {
    wxMessageBox(U("“" + card.name + "”正在学习，现在不能移除。"), U("VantoPelko"),
                 wxOK | wxICON_WARNING, this);
    return;
  }
  std::string problem;
  if (!vanto::learners::MoveToTrash(card.folder, &problem)) {
    wxMessageBox(U("无法把“" + card.name + "”移到回收站：" + problem), U("VantoPelko"),
                 wxOK | wxICON_ERROR, this);
  }
  Rebuild();
}
