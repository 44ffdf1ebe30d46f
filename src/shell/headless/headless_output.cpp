#include "shell/headless/headless_output.h"

#include <cstdio>
#include <cstring>

#include "delivery/progress_target.h"
#include "delivery/reload_wait.h"
#include "platform/codepage.h"

using vanto::platform::GbkToUtf8;

void HeadlessOutput::Line(std::initializer_list<std::string_view> fields) {
  std::string line;
  bool first = true;
  for (std::string_view field : fields) {
    if (!first) line += '\t';
    first = false;
    line += GbkToUtf8(field);
  }
  line += '\n';
  std::lock_guard<std::mutex> lock(mutex_);
  std::fwrite(line.data(), 1, line.size(), out_);
  std::fflush(out_);
}

void HeadlessOutput::Notice(std::string_view target, int code, std::int64_t value,
                            std::string_view line) {
  std::string shown =
      code == vanto::delivery::ID_DOWNLOAD_STEP ? std::string(line) : std::to_string(value);
  Line({"Notice", target, std::to_string(code), shown});
}

void HeadlessMovieControl::SetMovie(const std::string& value) {
  out_.Line({"Movie", value});
}
void HeadlessMovieControl::SetLoop(bool loop) {
  out_.Line({"Loop", loop ? "true" : "false"});
}
void HeadlessMovieControl::Play() {
  out_.Line({"Play"});
}
void HeadlessMovieControl::Stop() {
  out_.Line({"Stop"});
}
void HeadlessMovieControl::SetScaleMode(int mode) {
  out_.Line({"ScaleMode", std::to_string(mode)});
}
void HeadlessMovieControl::StopPlay() {
  out_.Line({"StopPlay"});
}
void HeadlessMovieControl::LoadMovie(int layer, const std::string& path) {
  out_.Line({"LoadMovie", std::to_string(layer), path});
}
void HeadlessMovieControl::SetVariable(const std::string& name, const std::string& value) {
  out_.Line({"SetVariable", name, value});
}
std::string HeadlessMovieControl::CallFunction(const std::string& request) {
  out_.Line({"CallFunction", request});
  return {};
}
void HeadlessMovieControl::SetAllowFullScreen(const std::string& value) {
  out_.Line({"AllowFullScreen", value});
}

void HeadlessWindow::ShowProgress(int, int, const std::string&) {}
void HeadlessWindow::ShowMovieView() {
  out_.Line({"Window", "show movie"});
}
void HeadlessWindow::EnterFullScreen() {
  out_.Line({"Window", "fullscreen on"});
}
void HeadlessWindow::LeaveFullScreen() {
  out_.Line({"Window", "fullscreen off"});
}
void HeadlessWindow::CoverClientArea() {
  out_.Line({"Window", "movie covers client area"});
}
void HeadlessWindow::Hide() {
  out_.Line({"Window", "hide"});
}
void HeadlessWindow::Minimise() {
  out_.Line({"Window", "minimise"});
}
void HeadlessWindow::EndDialog(int result) {
  out_.Line({"Window", "end " + std::to_string(result)});
  ended_ = true;
  result_ = result;
}

void HeadlessMessageBoxes::Show(const std::string& caption, const std::string& text) {
  out_.Line({"MessageBox", caption, text});
}

void HeadlessMessageBoxes::ShowFileError(const std::string& host_path, int error_number) {
  out_.Line({"MessageBox", "VantoPelko",
             "File error on " + host_path + ": " + std::strerror(error_number)});
}

void HeadlessMessageBoxes::ShowSettingsProblem(const std::string& text) {
  std::fprintf(stderr, "%s\n", GbkToUtf8(text).c_str());
}

namespace {

class HeadlessReloadDlg : public CReloadDlg {
 public:
  HeadlessReloadDlg(HeadlessOutput& out, vanto::delivery::UiDispatcher& ui)
      : wait_(ui, [&out](int code, std::int64_t value, std::string_view line) {
          out.Notice("reload", code, value, line);
        }) {}
  void DoModal() override { wait_.RunModal(); }
  void OnDownloadNotice(int code, std::int64_t value, std::string_view line) override {
    wait_.OnDownloadNotice(code, value, line);
  }
  bool WindowExists() const override { return wait_.WindowExists(); }

 private:
  vanto::delivery::ReloadWait wait_;
};

}  // namespace

std::unique_ptr<CReloadDlg> HeadlessReloadDialogs::CreateReloadDialog() {
  return std::make_unique<HeadlessReloadDlg>(out_, ui_);
}

int HeadlessPopupRunner::RunPopup(CWebDlg& popup) {
  ended_ = false;
  out_.Line({"Window", "popup open"});
  popup.OnInitDialog(*this);
  popup.OnCloseButton();
  ui_.RunUntil([this] { return ended_; });
  return 0;
}

void HeadlessPopupRunner::Navigate(const std::string& url) {
  out_.Line({"Window", "popup navigate " + url});
}
void HeadlessPopupRunner::Reveal() {
  out_.Line({"Window", "popup show"});
}
void HeadlessPopupRunner::Hide() {
  out_.Line({"Window", "popup hide"});
}
void HeadlessPopupRunner::ShowProgress(int, int) {}
void HeadlessPopupRunner::ShowDownloadDone() {
  out_.Line({"Window", "popup download done"});
}
void HeadlessPopupRunner::End(int result) {
  out_.Line({"Window", "popup end " + std::to_string(result)});
  ended_ = true;
}
