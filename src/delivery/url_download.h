// Download of one URL to a file with libcurl.
//
// Success rule: the transfer completes and the HTTP status (after redirects,
// which are followed) is below 400. The body is written to a temporary file
// in the target's folder and renamed over the target only when complete, so a
// failed transfer leaves no file behind and an existing file untouched.
// Limits (DownloadLimits below), so that a host that is unreachable, stalls
// or trickles never holds a caller for long:
// - a transfer during which fewer than 1024 bytes per second arrive is
//   abandoned after 4 s for a small reply (manifest, account answer), after
//   10 s for a file (a trickle);
// - every request has an overall deadline that grows with its size: a base
//   time plus one second per 8 KiB of the reply (its announced length, or
//   what has arrived). The base is 4 s for a small reply, so a stalled
//   service costs a manifest fetch of nine tries about 36 s, and 20 s for a
//   file.
// - connecting gives up after the base time (at most 10 s).
// URLs and paths of 260 characters or more are refused. Only http and https
// are fetched, also as redirect targets. An https host's certificate must be
// valid for the host and signed by an authority of the system's store (or of
// the file named by VANTO_CA_FILE); otherwise the download fails like any
// other.
#pragma once

#include <string>

#include "delivery/path_limit.h"

namespace vanto::delivery {

struct DownloadLimits {
  long base_seconds;       // deadline of an empty reply, connecting included
  long bytes_per_second;   // each this many bytes of the reply add a second
  long low_speed_bytes;    // a transfer slower than this (bytes/s) ...
  long low_speed_seconds;  // ... for this long is abandoned
};

// Manifests and account answers.
inline constexpr DownloadLimits kReplyLimits{4, 8192, 1024, 4};
// Course and update files.
inline constexpr DownloadLimits kFileLimits{20, 8192, 1024, 10};

class UrlDownloader {
 public:
  UrlDownloader();
  ~UrlDownloader();
  UrlDownloader(const UrlDownloader&) = delete;
  UrlDownloader& operator=(const UrlDownloader&) = delete;

  // Fetches url into the file host_path (replacing any file there). URLs
  // longer than `max_url_chars` are refused: content and update URLs keep
  // the 259 characters of a path buffer; the account requests, whose values
  // are percent-encoded, may be longer.
  bool Download(const std::string& url, const std::string& host_path,
                std::size_t max_url_chars = kMaxPathBuffer - 1,
                const DownloadLimits& limits = kFileLimits);

 private:
  // One easy handle for the object's life: its connection cache keeps the
  // connection to a host open between downloads.
  void* handle_ = nullptr;
};

// Download through the calling thread's own UrlDownloader, so that successive
// downloads on one thread share connections.
bool DownloadUrlToFile(const std::string& url, const std::string& host_path,
                       std::size_t max_url_chars = kMaxPathBuffer - 1,
                       const DownloadLimits& limits = kFileLimits);

// A manifest or another small reply, under kReplyLimits.
inline bool DownloadReplyToFile(const std::string& url, const std::string& host_path,
                                std::size_t max_url_chars = kMaxPathBuffer - 1) {
  return DownloadUrlToFile(url, host_path, max_url_chars, kReplyLimits);
}

// Limit for account-service URLs (percent-encoded names and passwords).
inline constexpr std::size_t kMaxAccountUrl = 2048;

}  // namespace vanto::delivery
