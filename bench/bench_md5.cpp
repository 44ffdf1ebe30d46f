// MD5 throughput on a 64 MiB buffer: the project's implementation against
// OpenSSL's in the same run. The last line gives the ratio of the two
// throughputs (ours / OpenSSL), from the median CPU time of the repetitions:
// on a shared machine CPU time is steadier than wall time for one thread.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "delivery/md5.h"

namespace {

constexpr std::size_t kBufferSize = 64u << 20;

const std::vector<unsigned char>& Buffer() {
  static const std::vector<unsigned char> buffer = [] {
    std::vector<unsigned char> bytes(kBufferSize);
    std::mt19937 random(12345);
    for (auto& byte : bytes) byte = static_cast<unsigned char>(random());
    return bytes;
  }();
  return buffer;
}

void BM_Md5Ours(benchmark::State& state) {
  const auto& buffer = Buffer();
  for (auto _ : state) {
    benchmark::DoNotOptimize(vanto::delivery::Md5Hex(buffer.data(), buffer.size()));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buffer.size()));
}

void BM_Md5OpenSsl(benchmark::State& state) {
  const auto& buffer = Buffer();
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  for (auto _ : state) {
    EVP_Digest(buffer.data(), buffer.size(), digest, &size, EVP_md5(), nullptr);
    benchmark::DoNotOptimize(digest);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buffer.size()));
}

BENCHMARK(BM_Md5Ours)->Unit(benchmark::kMillisecond)->Repetitions(7);
BENCHMARK(BM_Md5OpenSsl)->Unit(benchmark::kMillisecond)->Repetitions(7);

// Console output as usual, keeping the median time of each benchmark.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        median_time_[run.run_name.function_name] = run.GetAdjustedCPUTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  double Time(const std::string& name) const {
    const auto found = median_time_.find(name);
    return found == median_time_.end() ? 0.0 : found->second;
  }

 private:
  std::map<std::string, double> median_time_;
};

bool SameDigest() {
  const auto& buffer = Buffer();
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  EVP_Digest(buffer.data(), buffer.size(), digest, &size, EVP_md5(), nullptr);
  std::string theirs;
  char hex[3];
  for (unsigned int i = 0; i < size; ++i) {
    std::snprintf(hex, sizeof hex, "%02x", digest[i]);
    theirs += hex;
  }
  return theirs == vanto::delivery::Md5Hex(buffer.data(), buffer.size());
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!SameDigest()) {
    std::fprintf(stderr, "digests differ from OpenSSL's\n");
    return 1;
  }
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double ours = reporter.Time("BM_Md5Ours");
  const double openssl = reporter.Time("BM_Md5OpenSsl");
  if (ours > 0 && openssl > 0) {
    std::printf("md5 throughput ratio (ours/OpenSSL): %.3f (target >= 0.90)\n", openssl / ours);
  }
  benchmark::Shutdown();
  return 0;
}
