// The reference service over HTTP (cpp-httplib, a thread pool):
//   GET /v2.php?QUERY          content script
//   GET /v2/vtuser.php?QUERY   account script
//   GET /v2/PATH               content tree (and the update tree under /v2/update/)
//   GET /popup.php?QUERY, /popup.htm   notice pages
// One log line per request on standard error: method, path, status, bytes,
// milliseconds.
#pragma once

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "service/accounts/account_script.h"
#include "service/accounts/account_store.h"
#include "service/content/content_script.h"
#include "service/http/request_gate.h"

namespace vanto::service {

struct ServiceConfig {
  std::string host = "127.0.0.1";
  int port = 8090;   // 0 picks a free port
  int threads = 32;  // workers; they answer requests whose head has arrived
  GateLimits gate;   // time limits and connections per client address
  std::string database = "vanto-service.db";
  bool log = true;
  ContentConfig content;
};

class GuardedServer;

class HttpService {
 public:
  explicit HttpService(ServiceConfig config, AccountStore::Clock clock = nullptr);
  ~HttpService();

  // Binds the port; false when it is taken. Returns at once.
  bool Start();
  // Serves until Stop() (blocks); Start() must have succeeded.
  void Run();
  // Ends Run() from any thread, also when Run() has not started serving yet.
  void Stop();
  int Port() const { return port_; }

 private:
  void Routes();

  ServiceConfig config_;
  AccountStore store_;
  AccountScript accounts_;
  ContentScript content_;
  std::unique_ptr<GuardedServer> server_;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::atomic<bool> run_called_{false};
  std::atomic<bool> run_done_{false};
};

}  // namespace vanto::service
