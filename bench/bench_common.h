// Shared pieces of the delivery benchmarks: file writing, a quiet
// environment for the worker, and wall-clock timing of a command.
#pragma once

#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "delivery/content_delivery.h"
#include "delivery/headless_event_loop.h"
#include "files.h"
#include "platform/message_box.h"
#include "platform/native_path.h"
#include "temp_folder.h"

namespace vanto::bench {

using testing::WriteFile;

// Deterministic filler bytes (a linear congruential sequence).
inline std::string FillerBytes(std::size_t size, std::uint32_t seed) {
  std::string bytes(size, '\0');
  for (char& c : bytes) {
    seed = seed * 1664525u + 1013904223u;
    c = static_cast<char>(seed >> 24);
  }
  return bytes;
}

class SilentMessages : public platform::MessageBoxes {
 public:
  void Show(const std::string&, const std::string& text) override {
    std::fprintf(stderr, "message: %s\n", text.c_str());
  }
  void ShowFileError(const std::string& path, int) override {
    std::fprintf(stderr, "file error: %s\n", path.c_str());
  }
};

// Seconds of wall time of `work`.
inline double TimeIt(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Best times of `rounds` runs of the reference and of the candidate, in
// alternation so that a change in the machine's load hits both alike. Each
// run is preceded by `prepare` (not timed).
struct BestTimes {
  double reference = 1e30;
  double candidate = 1e30;
};
inline BestTimes AlternateBestOf(int rounds, const std::function<void()>& prepare,
                                 const std::function<void()>& reference,
                                 const std::function<void()>& candidate) {
  BestTimes best;
  for (int i = 0; i < rounds; ++i) {
    prepare();
    best.reference = std::min(best.reference, TimeIt(reference));
    prepare();
    best.candidate = std::min(best.candidate, TimeIt(candidate));
  }
  return best;
}

// One full worker run over the manifest at manifest_path (native path),
// filling `folder` (native path) from `mirrors`.
inline void RunWorker(const delivery::MirrorTable& mirrors, const std::string& manifest_path,
                      const std::string& folder) {
  delivery::HeadlessEventLoop loop;
  delivery::SystemProcessControl processes;
  SilentMessages messages;
  const std::string host_folder = platform::NativeToHostPath(folder);
  delivery::ContentDelivery delivery(mirrors, host_folder, loop, processes, messages, nullptr);
  if (!delivery.LoadManifest(platform::NativeToHostPath(manifest_path), host_folder + "\\")) {
    std::fprintf(stderr, "manifest not loaded\n");
  }
  delivery.JoinWorker();
}

}  // namespace vanto::bench
