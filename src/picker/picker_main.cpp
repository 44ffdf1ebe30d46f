// vanto-picker: says which learner's installation a start of the course
// opens, showing the picker window when a child has to choose. Used by the
// launcher "vanto"; prints the chosen folder on standard output.
#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

#include "learners/learner_choice.h"
#include "picker/picker_frame.h"
#include "platform/instance_lock.h"

namespace {

namespace fs = std::filesystem;
using vanto::learners::Choice;

constexpr const char* kUsage =
    "usage: vanto-picker DATA_FOLDER [--learner NAME] [--learners] [--headless]\n"
    "Prints the installation folder of the learner to start: the one named, the\n"
    "only one, or the one picked in the learners' window (--learners shows it\n"
    "even for one learner). Exit status 3: the window was closed without a choice.\n";

class PickerApp : public wxApp {
 public:
  explicit PickerApp(vanto::learners::LearnerRoster& roster) : roster_(roster) {}
  bool OnInit() override {
    auto* frame = new PickerFrame(roster_, [this](const fs::path& folder) { chosen_ = folder; });
    frame->Show();
    return true;
  }
  const std::optional<fs::path>& chosen() const { return chosen_; }

 private:
  vanto::learners::LearnerRoster& roster_;
  std::optional<fs::path> chosen_;
};

bool DisplayAvailable() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

// The earlier layout's folder is moved only while no course runs: a course
// of an older version does not say which folder it runs from.
bool EarlierFolderMayBeInUse(const vanto::learners::LearnerRoster& roster) {
  const auto holder = vanto::platform::InstanceLock::Holder("VantoPelkoEvent");
  std::error_code error;
  return holder && (holder->empty() || fs::equivalent(*holder, roster.EarlierFolder(), error));
}

std::optional<fs::path> RunPicker(vanto::learners::LearnerRoster& roster, int argc, char** argv) {
  auto* app = new PickerApp(roster);
  wxApp::SetInstance(app);
  std::optional<fs::path> chosen;
  if (wxEntryStart(argc, argv) && wxTheApp->CallOnInit()) {
    wxTheApp->OnRun();
    chosen = app->chosen();
    wxTheApp->OnExit();
  }
  wxEntryCleanup();
  return chosen;
}

}  // namespace

int main(int argc, char** argv) {
  vanto::learners::ChoiceRequest request;
  const char* data_folder = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--learner") == 0 && i + 1 < argc) {
      request.learner = argv[++i];
    } else if (std::strcmp(argv[i], "--learners") == 0) {
      request.show_picker = true;
    } else if (std::strcmp(argv[i], "--headless") == 0) {
      request.headless = true;
    } else if (!data_folder && argv[i][0] != '-') {
      data_folder = argv[i];
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  if (!data_folder) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (!request.headless && !DisplayAvailable()) request.headless = true;
  vanto::learners::LearnerRoster roster(data_folder);
  const Choice choice =
      vanto::learners::ChooseLearner(roster, request, EarlierFolderMayBeInUse(roster));
  if (choice.kind == Choice::Kind::kProblem) {
    std::fprintf(stderr, "vanto: %s\n", choice.problem.c_str());
    return 1;
  }
  std::optional<fs::path> folder = choice.folder;
  if (choice.kind == Choice::Kind::kPicker) {
    int wx_argc = 1;
    folder = RunPicker(roster, wx_argc, argv);
    if (!folder) return 3;
  }
  // Before the course checks its content: what another learner has already
  // downloaded is linked, not fetched again.
  roster.ShareFromOthers(*folder);
  std::printf("%s\n", folder->c_str());
  return 0;
}
