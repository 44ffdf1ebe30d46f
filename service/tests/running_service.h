// A service on 127.0.0.1 (free port, no log) serving a content tree, run on
// its own thread for one test and stopped at the end.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "service/app/http_service.h"

namespace vanto::service::test {

class RunningService {
 public:
  RunningService(const std::filesystem::path& content_root, const std::filesystem::path& data,
                 int threads = 0, GateLimits gate = {}) {
    ServiceConfig config;
    config.gate = gate;
    config.port = 0;
    if (threads > 0) config.threads = threads;
    config.log = false;
    config.database = (data / "accounts.db").string();
    config.content.root = content_root;
    service_ = std::make_unique<HttpService>(config);
    started_ = service_->Start();
    if (started_) runner_ = std::thread([this] { service_->Run(); });
  }
  ~RunningService() {
    if (!started_) return;
    service_->Stop();
    runner_.join();
  }
  RunningService(const RunningService&) = delete;
  RunningService& operator=(const RunningService&) = delete;

  bool started() const { return started_; }
  int port() const { return service_->Port(); }
  std::string base() const { return "http://127.0.0.1:" + std::to_string(port()); }

 private:
  std::unique_ptr<HttpService> service_;
  std::thread runner_;
  bool started_ = false;
};

}  // namespace vanto::service::test
