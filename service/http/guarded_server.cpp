#include "service/http/guarded_server.h"

#include "service/http/connection_stream.h"

namespace vanto::service {
namespace {

// The accepting thread hands each new socket to the gate itself: that takes
// no time, so it needs no thread of its own.
class InlineQueue : public httplib::TaskQueue {
 public:
  void enqueue(std::function<void()> task) override { task(); }
  void shutdown() override {}
};

}  // namespace

GuardedServer::GuardedServer(int threads, GateLimits limits) : threads_(threads), limits_(limits) {
  new_task_queue = [] { return new InlineQueue; };
}

GuardedServer::~GuardedServer() = default;

bool GuardedServer::Serve() {
  workers_ = std::make_unique<httplib::ThreadPool>(static_cast<size_t>(threads_));
  gate_ = std::make_unique<RequestGate>(limits_, [this](std::unique_ptr<ClientConnection> ready) {
    // The pool takes copyable tasks only; the task always runs, also at shut-down.
    workers_->enqueue(
        [this, raw = ready.release()] { Answer(std::unique_ptr<ClientConnection>(raw)); });
  });
  const bool served = listen_after_bind();
  gate_->Stop();         // no more hand-overs from the gate's thread
  workers_->shutdown();  // answers the requests already handed over
  gate_.reset();
  workers_.reset();
  return served;
}

bool GuardedServer::process_and_close_socket(socket_t sock) {
  gate_->Admit(sock);
  return true;
}

void GuardedServer::Answer(std::unique_ptr<ClientConnection> connection) {
  ConnectionStream stream(*connection, std::chrono::steady_clock::now() + limits_.head_time,
                          std::chrono::seconds(write_timeout_sec_));
  const bool last =
      ++connection->served >= static_cast<int>(keep_alive_max_count_) || !is_running();
  bool closed = false;
  const bool answered = process_request(stream, last, closed, nullptr);
  if (answered && !closed && !last) gate_->Return(std::move(connection));
}

}  // namespace vanto::service
