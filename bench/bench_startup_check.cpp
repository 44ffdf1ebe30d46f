// Start-up check of a complete installation: a manifest of 5,000 files
// (about 200 MB) that are all present and current. The download worker's
// full pass (one digest per file, computed ahead on as many threads as the
// machine has cores; nothing fetched) against `md5sum -c` over the same
// files, both with a warm page cache, best of seven alternating runs each.
// Target: the worker takes at most 0.7 times md5sum's time (0.5 with two
// idle cores).
#include "bench_common.h"
#include "delivery/md5.h"
#include "platform/native_path.h"

namespace {

using namespace vanto;

constexpr int kFiles = 5000;
constexpr std::size_t kFileSize = 40 * 1024;

// Writes the installation and both lists; returns the manifest's path.
std::string MakeInstallation(const std::string& root) {
  std::string manifest;
  std::string sums;
  for (int i = 0; i < kFiles; ++i) {
    const std::string name = "media/" + std::to_string(i / 100) + "/f" + std::to_string(i) + ".bin";
    const std::string bytes = bench::FillerBytes(kFileSize, static_cast<std::uint32_t>(i));
    bench::WriteFile(root + "/install/" + name, bytes);
    const std::string digest = delivery::Md5Hex(bytes.data(), bytes.size());
    manifest += name + "\t2012-06-10 08:30:00|" + digest + "\r\n";
    sums += digest + "  " + name + "\n";
  }
  bench::WriteFile(root + "/down.list", manifest);
  bench::WriteFile(root + "/sums.md5", sums);
  return root + "/down.list";
}

}  // namespace

int main() {
  const vanto::testing::TempFolder temp("vanto-bench");
  const std::string manifest = MakeInstallation(temp.path().string());
  const std::string install = temp.path().string() + "/install";
  const std::string md5sum = "cd '" + install + "' && md5sum --quiet -c '" + temp.path().string() +
                             "/sums.md5' >/dev/null";
  // Nothing is fetched: the mirrors are never contacted.
  const delivery::MirrorTable mirrors{"http://127.0.0.1:9", "http://127.0.0.1:9",
                                      "http://127.0.0.1:9", "http://127.0.0.1:9"};
  const auto nothing = [] {};
  const auto run_md5sum = [&] {
    if (std::system(md5sum.c_str()) != 0) std::fprintf(stderr, "md5sum -c failed\n");
  };
  const auto run_worker = [&] { bench::RunWorker(mirrors, manifest, install); };
  run_md5sum();  // warms the page cache
  const bench::BestTimes best = bench::AlternateBestOf(7, nothing, run_md5sum, run_worker);
  const double reference = best.reference;
  const double worker = best.candidate;
  std::printf("start-up check, %d files of %zu KiB\n", kFiles, kFileSize / 1024);
  std::printf("md5sum -c: %.3f s\n", reference);
  std::printf("worker:    %.3f s\n", worker);
  std::printf("ratio worker/md5sum: %.2f (target <= 0.70, goal 0.50)\n", worker / reference);
  return 0;
}
