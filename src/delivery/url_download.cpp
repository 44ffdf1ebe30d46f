#include "delivery/url_download.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>

#include "delivery/path_limit.h"
#include "platform/native_path.h"
#include "platform/temporary_files.h"

namespace vanto::delivery {
namespace {

constexpr long kMaxRedirects = 10;
constexpr long kFirstFailingStatus = 400;

void InitialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::size_t WriteToFile(char* data, std::size_t size, std::size_t count, void* file) {
  return std::fwrite(data, size, count, static_cast<std::FILE*>(file)) * size;
}

// A fresh name in the target's folder: ".vanto-part-<pid>-<sequence>-<random>".
// It does not derive from the target's name, which may already be close to
// the file system's name length limit.
std::string TemporaryName(const std::string& native_target) {
  static std::atomic<unsigned> sequence{0};
  thread_local std::minstd_rand random{std::random_device{}()};
  const std::size_t slash = native_target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : native_target.substr(0, slash + 1);
  return folder + std::string(platform::kDownloadPartPrefix) + std::to_string(::getpid()) + "-" +
         std::to_string(sequence.fetch_add(1)) + "-" + std::to_string(random());
}

// A temporary file beside the target, so that the final rename stays on one
// file system and is atomic. It is created with the usual permissions (0666
// less the umask); a file it replaces passes on its own permissions, so a
// refreshed program stays executable. Unless it was moved into place, it is
// removed when the object ends.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& native_target) {
    for (int attempt = 0; attempt < 8; ++attempt) {
      path_ = TemporaryName(native_target);
      const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd < 0 && errno == EEXIST) continue;
      if (fd < 0) return;
      owned_ = true;
      file_ = ::fdopen(fd, "wb");
      if (file_ == nullptr) ::close(fd);
      return;
    }
  }
  ~TemporaryFile() {
    if (file_ != nullptr) std::fclose(file_);
    if (owned_) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  std::FILE* stream() const { return file_; }

  // Flushes and closes the file and moves it over the target.
  bool MoveTo(const std::string& native_target) {
    struct stat replaced {};
    if (::stat(native_target.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode)) {
      ::fchmod(::fileno(file_), replaced.st_mode & 07777);
    }
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!closed || std::rename(path_.c_str(), native_target.c_str()) != 0) return false;
    owned_ = false;
    return true;
  }

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
  bool owned_ = false;  // the file at path_ is ours to remove
};

// Aborts a transfer that has run past its deadline: the base time plus a
// second for each `bytes_per_second` of the reply.
struct Deadline {
  const DownloadLimits* limits;
  std::chrono::steady_clock::time_point start;
};

int CheckDeadline(void* data, curl_off_t expected, curl_off_t arrived, curl_off_t, curl_off_t) {
  const Deadline& deadline = *static_cast<Deadline*>(data);
  const curl_off_t size = std::max(expected, arrived);
  const double allowed = static_cast<double>(deadline.limits->base_seconds) +
                         static_cast<double>(size) / deadline.limits->bytes_per_second;
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - deadline.start;
  return elapsed.count() > allowed ? 1 : 0;
}

}  // namespace

UrlDownloader::UrlDownloader() {
  InitialiseCurlOnce();
  handle_ = curl_easy_init();
  // https:// hosts are checked against the system's certificate store
  // (libcurl's defaults). VANTO_CA_FILE names another authority's
  // certificates instead, for tests and private services.
  const char* authority = std::getenv("VANTO_CA_FILE");
  if (handle_ != nullptr && authority != nullptr && *authority != '\0') {
    curl_easy_setopt(static_cast<CURL*>(handle_), CURLOPT_CAINFO, authority);
  }
}

UrlDownloader::~UrlDownloader() {
  if (handle_ != nullptr) curl_easy_cleanup(static_cast<CURL*>(handle_));
}

bool UrlDownloader::Download(const std::string& url, const std::string& host_path,
                             std::size_t max_url_chars, const DownloadLimits& limits) {
  if (handle_ == nullptr || url.size() > max_url_chars || !FitsPathBuffer(host_path)) return false;
  const std::string target = platform::NativePath(host_path);
  TemporaryFile body(target);
  if (body.stream() == nullptr) return false;

  // Options survive on the handle between calls; set them all each time so
  // that one call's settings never leak into the next.
  CURL* curl = static_cast<CURL*>(handle_);
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
  constexpr long kMaxConnectSeconds = 10;
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, std::min(limits.base_seconds, kMaxConnectSeconds));
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, limits.low_speed_bytes);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, limits.low_speed_seconds);
  Deadline deadline{&limits, std::chrono::steady_clock::now()};
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, CheckDeadline);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &deadline);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteToFile);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, body.stream());

  if (curl_easy_perform(curl) != CURLE_OK) return false;
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  if (status >= kFirstFailingStatus) return false;
  return body.MoveTo(target);
}

bool DownloadUrlToFile(const std::string& url, const std::string& host_path,
                       std::size_t max_url_chars, const DownloadLimits& limits) {
  thread_local UrlDownloader downloader;
  return downloader.Download(url, host_path, max_url_chars, limits);
}

}  // namespace vanto::delivery
