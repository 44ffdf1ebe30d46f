// Recording stand-ins for the windows and the process around the delivery
// code, and a content host (script + file tree) on 127.0.0.1.
#pragma once

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "delivery/md5.h"
#include "delivery/process_control.h"
#include "host_path.h"
#include "platform/message_box.h"
#include "temp_folder.h"
#include "test_http_server.h"

namespace vanto::testing {

class RecordingProcesses : public delivery::ProcessControl {
 public:
  struct Start {
    std::string path;
    std::vector<std::string> arguments;
    std::string folder;
  };
  bool Start(const std::string& path, const std::vector<std::string>& arguments,
             const std::string& folder) override {
    std::lock_guard lock(mutex_);
    starts_.push_back({path, arguments, folder});
    return true;
  }
  void RequestQuit() override {
    std::lock_guard lock(mutex_);
    ++quits_;
  }
  std::vector<struct Start> starts() const {
    std::lock_guard lock(mutex_);
    return starts_;
  }
  int quits() const {
    std::lock_guard lock(mutex_);
    return quits_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<struct Start> starts_;
  int quits_ = 0;
};

class RecordingMessages : public platform::MessageBoxes {
 public:
  void Show(const std::string&, const std::string& text) override { shown.push_back(text); }
  void ShowFileError(const std::string& path, int) override { shown.push_back("file:" + path); }
  std::vector<std::string> shown;  // user-interface thread only
};

// A host of the content service: "/v2.php" answers with `manifest` (404 while
// it is empty), or with `signature` when the query holds the key "signature",
// and "/v2/<path>" serves the files of `files`.
struct ContentHost {
  ContentHost() {
    server.ServeFolder(files.path().string(), "/v2/");
    server.http().Get(
        "/v2.php", [this](const httplib::Request& request, httplib::Response& response) {
          std::lock_guard lock(mutex);
          if (!request.has_param("signature") && manifest.empty()) {
            response.status = 404;
            return;
          }
          response.set_content(request.has_param("signature") ? signature : manifest, "text/plain");
        });
    // Files under "cut/" arrive only in part: the connection drops midway.
    server.http().Get("/v2/cut/.*", [](const httplib::Request&, httplib::Response& response) {
      response.set_content_provider(100000, "application/octet-stream",
                                    [](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                      if (offset > 0) return false;
                                      sink.write(std::string(1000, 'p').data(), 1000);
                                      return true;
                                    });
    });
    // Connections kept open by a test's downloaders would hold the server's
    // shutdown for the whole keep-alive time.
    server.http().set_keep_alive_timeout(1);
    server.Start();
  }
  void SetManifest(std::string text) {
    std::lock_guard lock(mutex);
    manifest = std::move(text);
  }
  // Requests for files (not for the script), in order.
  std::vector<std::string> FileRequests() const {
    std::vector<std::string> out;
    for (const std::string& path : server.paths()) {
      if (path.rfind("/v2/", 0) == 0) out.push_back(path);
    }
    return out;
  }
  int ScriptRequests() const {
    int count = 0;
    for (const std::string& path : server.paths()) count += path.rfind("/v2.php", 0) == 0;
    return count;
  }

  TempFolder files;
  TestHttpServer server;
  std::mutex mutex;
  std::string manifest;
  std::string signature;
};

inline std::string Md5Of(const std::string& bytes) {
  return delivery::Md5Hex(bytes.data(), bytes.size());
}

// A manifest entry line with a stamp holding the digest of `content`.
inline std::string EntryLine(const std::string& path, const std::string& content,
                             const std::string& flags = {}) {
  std::string line = path + "\t2012-06-10 08:30:00|" + Md5Of(content);
  if (!flags.empty()) line += "\t" + flags;
  return line;
}

}  // namespace vanto::testing
