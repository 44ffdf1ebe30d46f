// Fetching 2,000 files of 10 KB from the reference service on 127.0.0.1:
// the download worker (downloads run ahead on up to four kept-alive
// connections) against one curl process fetching the same URLs from a
// --config list (one connection kept alive), best of seven alternating runs
// each. Every run
// fills a fresh folder and all are removed at the end: on a file system
// without a journal, creating files within half a minute of deleting
// thousands makes each creation scan the recently freed inodes, a cost that
// would swamp the fetching this measures. Target: the worker takes at most
// 0.7 times curl's time (goal 0.5).
#include <unistd.h>

#include "bench_common.h"
#include "child_process.h"
#include "delivery/md5.h"
#include "loopback.h"
#include "platform/native_path.h"

namespace {

using namespace vanto;
using vanto::testing::ChildProcess;
using vanto::testing::FreeLocalPort;

constexpr int kFiles = 2000;
constexpr std::size_t kFileSize = 10 * 1000;

std::string FileName(int i) {
  return "f/" + std::to_string(i / 100) + "/" + std::to_string(i) + ".bin";
}

// Waits until the service at base answers, at most ten seconds.
bool ServiceAnswers(const std::string& base) {
  const std::string probe = "curl -s -f -o /dev/null '" + base + "/v2/probe.bin'";
  for (int i = 0; i < 100; ++i) {
    if (std::system(probe.c_str()) == 0) return true;
    ::usleep(100 * 1000);
  }
  return false;
}

}  // namespace

int main() {
  const vanto::testing::TempFolder temp("vanto-bench");
  const std::string served = temp.path().string() + "/served";
  bench::WriteFile(served + "/probe.bin", "probe");
  const int port = FreeLocalPort();
  ChildProcess service(VANTO_SERVICE_PROGRAM,
                       {"--port", std::to_string(port), "--root", served, "--quiet"},
                       temp.path().string());
  const std::string base = "http://127.0.0.1:" + std::to_string(port);
  if (!ServiceAnswers(base)) {
    std::fprintf(stderr, "the reference service did not start\n");
    return 1;
  }
  std::string manifest;
  std::string curl_config;
  for (int i = 0; i < kFiles; ++i) {
    const std::string bytes = bench::FillerBytes(kFileSize, static_cast<std::uint32_t>(i));
    bench::WriteFile(served + "/" + FileName(i), bytes);
    manifest += FileName(i) + "\t2012-06-10 08:30:00|" +
                delivery::Md5Hex(bytes.data(), bytes.size()) + "\r\n";
    curl_config +=
        "url = \"" + base + "/v2/" + FileName(i) + "?rand=1\"\noutput = \"" + FileName(i) + "\"\n";
  }
  bench::WriteFile(temp.path().string() + "/down.list", manifest);
  bench::WriteFile(temp.path().string() + "/curl.cfg", curl_config);

  const delivery::MirrorTable mirrors{base, base, base, base};
  // curl writes its relative output names into the current folder.
  std::string target;
  int runs = 0;
  const auto fresh_target = [&] {
    target = temp.path().string() + "/target-" + std::to_string(runs++);
    std::filesystem::create_directories(target);
  };
  const auto run_curl = [&] {
    const std::string curl = "cd '" + target + "' && curl -s -f --create-dirs -K '" +
                             temp.path().string() + "/curl.cfg'";
    if (std::system(curl.c_str()) != 0) std::fprintf(stderr, "curl failed\n");
  };
  const auto run_worker = [&] {
    bench::RunWorker(mirrors, temp.path().string() + "/down.list", target);
  };

  fresh_target();
  run_curl();  // warms the page cache and the service
  const bench::BestTimes best = bench::AlternateBestOf(7, fresh_target, run_curl, run_worker);
  const double reference = best.reference;
  const double worker = best.candidate;
  std::printf("fetch, %d files of %zu bytes from 127.0.0.1\n", kFiles, kFileSize);
  std::printf("curl -K:   %.3f s\n", reference);
  std::printf("worker:    %.3f s\n", worker);
  std::printf("ratio worker/curl: %.2f (target <= 0.70, goal 0.50)\n", worker / reference);
  return 0;
}
