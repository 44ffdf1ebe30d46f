// The course host. "--headless" runs it without a window (see README).
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "shell/app/vanto_pelko_app.h"
#include "shell/headless/headless_host.h"
#ifdef VANTO_WINDOWED
#include "shell/ui/windowed_front_end.h"
#endif

namespace {

constexpr const char* kUsage =
    "usage: Vanto [--headless]\n"
    "The VantoPelko course. It works in the folder that holds the program: the\n"
    "learner's profile, the documents and the downloaded course live there.\n"
    "  --headless  run without a window: movie commands on standard input (command,\n"
    "              TAB, argument; end of input closes the course), what the course\n"
    "              shows on standard output\n"
    "  --help      show this text\n";

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments;
  bool headless = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--headless") == 0) {
      headless = true;
    } else {
      arguments.emplace_back(argv[i]);
    }
  }
  std::unique_ptr<FrontEnd> front_end;
  if (headless) {
    front_end = std::make_unique<HeadlessFrontEnd>(stdin, stdout);
  } else {
#ifdef VANTO_WINDOWED
    front_end = WindowedFrontEnd::Start(argc, argv);
    if (!front_end) return 2;
#else
    // A build without windows still answers the updater's restart.
    std::fprintf(stderr, "Vanto: this build has no window; running headless\n");
    front_end = std::make_unique<HeadlessFrontEnd>(stdin, stdout);
#endif
  }
  CVantoPelkoApp app;
  return app.InitInstance(arguments, *front_end);
}
