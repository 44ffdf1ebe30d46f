// The course host. "--headless" runs it without a window (see README).
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "shell/headless_host.h"
#include "shell/vanto_pelko_app.h"

namespace {

int RunHeadless(CVantoPelkoApp& app, void*) {
  return RunHeadlessMainWindow(app, stdin, stdout);
}

void PrintMessage(const std::string& text) {
  std::printf("MessageBox\tVantoPelko\t%s\n", text.c_str());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments;
  bool headless = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--headless") == 0) {
      headless = true;
    } else {
      arguments.emplace_back(argv[i]);
    }
  }
  // The updater restarts the host with "/updated" only; until the host has
  // its window, every start runs headless.
  if (!headless) std::fprintf(stderr, "Vanto: this build has no window; running headless\n");
  CVantoPelkoApp app;
  return app.InitInstance(arguments, RunHeadless, nullptr, PrintMessage);
}
