// Download of one URL to a file with libcurl.
//
// Success rule: the transfer completes, the HTTP status (after redirects) is
// below 400, and the caller's check accepts the arrived file. The body is
// written to a temporary file in the target's folder and renamed over the
// target only then, so a failed or refused transfer leaves no file behind
// and an existing file untouched.
//
// Bounds (DownloadLimits below), so that a host that is unreachable, stalls,
// trickles or never stops sending can neither hold a caller nor fill the disk:
// - a fixed deadline for the whole transfer, connecting included, that
//   nothing the host sends can extend;
// - a transfer during which fewer than 1024 bytes per second arrive is
//   abandoned after a few seconds;
// - a largest body: a reply that announces more fails before its body is
//   read, one that sends more without announcing it fails when it gets there;
// - free space: a body whose announced length would leave less than
//   kFreeSpaceReserve on the disk is not written at all, and a transfer
//   stops when the disk gets down to that reserve.
// URLs and paths of 260 characters or more are refused. Only http and https
// are fetched. Redirects are followed, but never from https to http (and,
// where a caller asks for it, only to https). An https host's certificate must
// be valid for the host and signed by an authority of the system's store (or
// of the file named by VANTO_CA_FILE); otherwise the download fails like any
// other.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "delivery/path_limit.h"

namespace vanto::delivery {

struct DownloadLimits {
  long deadline_seconds;   // the whole transfer, connecting included
  long connect_seconds;    // connecting
  long low_speed_bytes;    // a transfer slower than this (bytes/s) ...
  long low_speed_seconds;  // ... for this long is abandoned
  std::int64_t max_bytes;  // the largest body accepted
};

// Manifests, signatures and account answers: 4 MiB is over ten times the
// largest manifest a course needs (5,000 lines are about 300 KB).
inline constexpr DownloadLimits kReplyLimits{4, 4, 1024, 4, std::int64_t{4} << 20};
// Course and update files: at most what the digest check reads (below 2 GiB).
inline constexpr DownloadLimits kFileLimits{300, 10, 1024, 10, 2147483646};

// Free space a download always leaves on the disk.
inline constexpr std::int64_t kFreeSpaceReserve = std::int64_t{32} << 20;

struct DownloadOptions {
  DownloadLimits limits = kFileLimits;
  // Content and update URLs keep the 259 characters of a path buffer; the
  // account requests, whose values are percent-encoded, may be longer.
  std::size_t max_url_chars = kMaxPathBuffer - 1;
  // Redirects may lead only to https hosts (an installation that verifies
  // its publisher's signatures).
  bool https_redirects_only = false;
  // Called with the host path of the arrived file, under its temporary name,
  // before it is moved into place; false refuses it and the download fails.
  std::function<bool(const std::string& arrived_host_path)> accept;
};

class UrlDownloader {
 public:
  UrlDownloader();
  ~UrlDownloader();
  UrlDownloader(const UrlDownloader&) = delete;
  UrlDownloader& operator=(const UrlDownloader&) = delete;

  // Fetches url into the file host_path (replacing any file there).
  bool Download(const std::string& url, const std::string& host_path,
                const DownloadOptions& options = {});

  // Fetches url as Download does, but leaves the accepted file beside
  // host_path under its temporary name (a start-up removes it once this
  // process has ended) and returns that name's host path; nothing on failure.
  // The caller moves it into place or removes it.
  std::optional<std::string> DownloadBeside(const std::string& url, const std::string& host_path,
                                            const DownloadOptions& options = {});

 private:
  // One easy handle for the object's life: its connection cache keeps the
  // connection to a host open between downloads.
  void* handle_ = nullptr;
};

// Through the calling thread's own UrlDownloader, so that successive
// downloads on one thread share connections.
bool DownloadUrlToFile(const std::string& url, const std::string& host_path,
                       const DownloadOptions& options = {});
std::optional<std::string> DownloadUrlBeside(const std::string& url, const std::string& host_path,
                                             const DownloadOptions& options = {});

// Limit for account-service URLs (percent-encoded names and passwords).
inline constexpr std::size_t kMaxAccountUrl = 2048;

// A manifest or another small reply, under kReplyLimits.
inline DownloadOptions ReplyOptions(std::size_t max_url_chars = kMaxPathBuffer - 1) {
  DownloadOptions options;
  options.limits = kReplyLimits;
  options.max_url_chars = max_url_chars;
  return options;
}

}  // namespace vanto::delivery
