// The course host. "--headless" runs it without a window (see README).
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "shell/headless/headless_host.h"
#include "shell/vanto_pelko_app.h"

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
  std::unique_ptr<FrontEnd> front_end = std::make_unique<HeadlessFrontEnd>(stdin, stdout);
  CVantoPelkoApp app;
  return app.InitInstance(arguments, *front_end);
}
