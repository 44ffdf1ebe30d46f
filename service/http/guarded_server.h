// The HTTP server of the service: cpp-httplib's routing and replies, with
// connections held by a RequestGate until their request head is complete, so
// the worker threads only ever serve requests that are ready. A kept-alive
// connection goes back to the gate between requests.
#pragma once

#include <httplib.h>

#include <memory>

#include "service/http/request_gate.h"

namespace vanto::service {

class GuardedServer : public httplib::Server {
 public:
  GuardedServer(int threads, GateLimits limits);
  ~GuardedServer() override;

  // Serves until stop(), after bind_to_port() or bind_to_any_port().
  bool Serve();

 private:
  bool process_and_close_socket(socket_t sock) override;
  void Answer(std::unique_ptr<ClientConnection> connection);

  const int threads_;
  const GateLimits limits_;
  std::unique_ptr<httplib::ThreadPool> workers_;
  std::unique_ptr<RequestGate> gate_;
};

}  // namespace vanto::service
