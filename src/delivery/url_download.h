// Download of one URL to a file with libcurl.
//
// Success rule: the transfer completes and the HTTP status (after redirects,
// which are followed) is below 400. The body is written to a temporary file
// in the target's folder and renamed over the target only when complete, so a
// failed transfer leaves no file behind and an existing file untouched.
// Time-outs: connecting gives up after 10 s; a transfer during which fewer
// than 1 byte per second arrives for 30 s is abandoned, so a host that
// accepts the connection and then sends nothing fails within about a minute.
// URLs and paths of 260 characters or more are refused. Only http and https
// are fetched, also as redirect targets. An https host's certificate must be
// valid for the host and signed by an authority of the system's store (or of
// the file named by VANTO_CA_FILE); otherwise the download fails like any
// other.
#pragma once

#include <string>

#include "delivery/path_limit.h"

namespace vanto::delivery {

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
                std::size_t max_url_chars = kMaxPathBuffer - 1);

  // Seconds without progress (less than 1 byte/s) before a transfer is abandoned.
  void SetStallTimeout(long seconds);
  void SetConnectTimeout(long seconds);

 private:
  // One easy handle for the object's life: its connection cache keeps the
  // connection to a host open between downloads.
  void* handle_ = nullptr;
  long stall_seconds_ = 30;
  long connect_seconds_ = 10;
};

// Download through the calling thread's own UrlDownloader, so that successive
// downloads on one thread share connections.
bool DownloadUrlToFile(const std::string& url, const std::string& host_path,
                       std::size_t max_url_chars = kMaxPathBuffer - 1);

// Limit for account-service URLs (percent-encoded names and passwords).
inline constexpr std::size_t kMaxAccountUrl = 2048;

}  // namespace vanto::delivery
