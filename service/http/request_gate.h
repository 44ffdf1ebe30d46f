// Holds client connections until they have sent a whole request head
// (request line and headers), without a worker thread, and hands them to a
// worker only then. A client that takes longer than the head time limit, or
// a kept-alive connection idle past its limit, is closed; so is a client
// address with too many connections open. Slow or silent clients therefore
// never occupy the workers that answer the others.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "service/http/address_limit.h"
#include "service/http/client_connection.h"

namespace vanto::service {

struct GateLimits {
  std::chrono::milliseconds head_time{10000};  // request line and headers
  std::chrono::milliseconds idle_time{2000};   // between requests on one connection
  int per_address = 64;                        // open connections per client address; 0: any
  size_t max_head = 16 * 1024;                 // bytes of a request head
};

class RequestGate {
 public:
  using Dispatch = std::function<void(std::unique_ptr<ClientConnection>)>;

  // `dispatch` receives each connection with a complete request head.
  RequestGate(GateLimits limits, Dispatch dispatch);
  ~RequestGate();
  RequestGate(const RequestGate&) = delete;
  RequestGate& operator=(const RequestGate&) = delete;

  // Takes a freshly accepted socket (any thread).
  void Admit(int fd);
  // Takes back a connection after its request was answered, to wait for the
  // next one (any thread).
  void Return(std::unique_ptr<ClientConnection> connection);
  // Closes every waiting connection, refuses new ones and returns once no
  // more connection will be dispatched from the gate's thread. Call it from
  // one thread only (the one that owns the gate).
  void Stop();
  const GateLimits& limits() const { return limits_; }

 private:
  void Loop();
  void Watch(std::unique_ptr<ClientConnection> connection);
  void OnReadable(int fd);
  void Rearm(int fd);
  void CloseExpired();

  const GateLimits limits_;
  Dispatch dispatch_;
  std::shared_ptr<AddressLimit> addresses_;
  int epoll_ = -1;
  int wake_ = -1;
  std::mutex mutex_;
  std::unordered_map<int, std::unique_ptr<ClientConnection>> waiting_;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

}  // namespace vanto::service
