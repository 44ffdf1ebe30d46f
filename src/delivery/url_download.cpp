#include "delivery/url_download.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>
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
// refreshed program stays executable. Unless it was moved into place or
// kept, it is removed when the object ends.
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
  std::string HostPath() const { return platform::NativeToHostPath(path_); }

  // Flushes and closes the file; it keeps the permissions of the file it
  // will replace.
  bool Close(const std::string& native_target) {
    struct stat replaced {};
    if (::stat(native_target.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode)) {
      ::fchmod(::fileno(file_), replaced.st_mode & 07777);
    }
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return closed;
  }

  // Moves the closed file over the target.
  bool MoveTo(const std::string& native_target) {
    if (std::rename(path_.c_str(), native_target.c_str()) != 0) return false;
    owned_ = false;
    return true;
  }

  // The closed file stays where it is, no longer removed by this object.
  std::string Keep() {
    owned_ = false;
    return HostPath();
  }

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
  bool owned_ = false;  // the file at path_ is ours to remove
};

// Where the body goes: the temporary file, with the count of what arrived
// and the free space kept on its disk.
struct BodySink {
  CURL* curl;
  std::FILE* file;
  std::int64_t max_bytes;
  std::int64_t written = 0;
  std::int64_t next_space_check = 0;  // bytes written when the free space is looked at next
};

constexpr std::int64_t kSpaceCheckEvery = std::int64_t{4} << 20;

std::int64_t FreeBytes(std::FILE* file) {
  struct statvfs disk {};
  if (::fstatvfs(::fileno(file), &disk) != 0) return std::numeric_limits<std::int64_t>::max();
  return static_cast<std::int64_t>(disk.f_bavail) * static_cast<std::int64_t>(disk.f_frsize);
}

// Before the first byte, a body whose announced length would not fit beside
// the reserve is refused; after that the disk is looked at every few MiB.
bool RoomFor(BodySink& sink, std::size_t more) {
  if (sink.written + static_cast<std::int64_t>(more) > sink.max_bytes) return false;
  if (sink.written < sink.next_space_check) return true;
  std::int64_t needed = kFreeSpaceReserve + static_cast<std::int64_t>(more);
  if (sink.written == 0) {
    curl_off_t announced = -1;
    curl_easy_getinfo(sink.curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
    if (announced > 0) needed = kFreeSpaceReserve + announced;
  }
  sink.next_space_check = sink.written + kSpaceCheckEvery;
  return FreeBytes(sink.file) >= needed;
}

std::size_t WriteBody(char* data, std::size_t size, std::size_t count, void* target) {
  BodySink& sink = *static_cast<BodySink*>(target);
  const std::size_t bytes = size * count;
  if (!RoomFor(sink, bytes)) return 0;  // ends the transfer with a write error
  const std::size_t written = std::fwrite(data, 1, bytes, sink.file);
  sink.written += static_cast<std::int64_t>(written);
  return written;
}

// Redirects never lead from https to plain http; callers may also refuse
// plain http as a redirect target altogether.
const char* RedirectProtocols(const std::string& url, bool https_only) {
  const bool secure = url.size() > 8 && ::strncasecmp(url.c_str(), "https://", 8) == 0;
  return https_only || secure ? "https" : "http,https";
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

namespace {

// Fetches url into `body`, leaving it closed; true when the transfer
// succeeded and the caller's check accepted it.
bool Fetch(CURL* curl, const std::string& url, const std::string& target, TemporaryFile& body,
           const DownloadOptions& options) {
  if (body.stream() == nullptr) return false;
  const DownloadLimits& limits = options.limits;
  // Options survive on the handle between calls; set them all each time so
  // that one call's settings never leak into the next.
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR,
                   RedirectProtocols(url, options.https_redirects_only));
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, limits.connect_seconds);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, limits.deadline_seconds);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, limits.low_speed_bytes);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, limits.low_speed_seconds);
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.max_bytes));
  BodySink sink{curl, body.stream(), limits.max_bytes};
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);

  const CURLcode result = curl_easy_perform(curl);
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  if (!body.Close(target) || result != CURLE_OK || status >= kFirstFailingStatus) return false;
  return !options.accept || options.accept(body.HostPath());
}

}  // namespace

bool UrlDownloader::Download(const std::string& url, const std::string& host_path,
                             const DownloadOptions& options) {
  if (handle_ == nullptr || url.size() > options.max_url_chars || !FitsPathBuffer(host_path)) {
    return false;
  }
  const std::string target = platform::NativePath(host_path);
  TemporaryFile body(target);
  return Fetch(static_cast<CURL*>(handle_), url, target, body, options) && body.MoveTo(target);
}

std::optional<std::string> UrlDownloader::DownloadBeside(const std::string& url,
                                                         const std::string& host_path,
                                                         const DownloadOptions& options) {
  if (handle_ == nullptr || url.size() > options.max_url_chars || !FitsPathBuffer(host_path)) {
    return std::nullopt;
  }
  const std::string target = platform::NativePath(host_path);
  TemporaryFile body(target);
  if (!Fetch(static_cast<CURL*>(handle_), url, target, body, options)) return std::nullopt;
  return body.Keep();
}

namespace {

UrlDownloader& ThreadDownloader() {
  thread_local UrlDownloader downloader;
  return downloader;
}

}  // namespace

bool DownloadUrlToFile(const std::string& url, const std::string& host_path,
                       const DownloadOptions& options) {
  return ThreadDownloader().Download(url, host_path, options);
}

std::optional<std::string> DownloadUrlBeside(const std::string& url, const std::string& host_path,
                                             const DownloadOptions& options) {
  return ThreadDownloader().DownloadBeside(url, host_path, options);
}

}  // namespace vanto::delivery
