// HTTP servers on 127.0.0.1 for tests of the download code.
//
// TestHttpServer: a cpp-httplib server on an ephemeral port that can serve a
// folder and custom handlers, and counts requests and client connections.
//   TestHttpServer server;
//   server.ServeFolder(dir);                                 // GET /<file>
//   server.http().Get("/x", [](const httplib::Request&, httplib::Response& r) {...});
//   server.Start();                                          // after all handlers
//   DownloadUrlToFile(server.Url("/a.txt"), path);
//   server.requests(); server.connections(); server.paths();
// Keep-alive is unlimited (cpp-httplib closes after 5 requests by default),
// so one client connection can carry every request of a test.
//
// StallingServer: accepts connections and then stays silent (or sends the
// start of a reply and stops, or trickles on at 2 bytes a second), holding
// each connection open until destroyed.
//
// EndlessServer: answers every connection with a reply whose body never
// ends, at a given rate or as fast as the client reads.
#pragma once

#include <httplib.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace vanto::testing {

// A socket listening on 127.0.0.1 at a free port (which goes to `port`);
// throws when none can be made.
int Listen(int* port);

class TestHttpServer {
 public:
  TestHttpServer() {
    server_.set_keep_alive_max_count(1000000);
    server_.set_keep_alive_timeout(30);
    server_.set_tcp_nodelay(true);  // replies are sent in pieces; Nagle would delay each by ~40 ms
    server_.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
      std::lock_guard<std::mutex> lock(mutex_);
      ++requests_;
      clients_.insert(request.remote_addr + ":" + std::to_string(request.remote_port));
      paths_.push_back(request.target);
      return httplib::Server::HandlerResponse::Unhandled;
    });
  }
  ~TestHttpServer() { Stop(); }
  TestHttpServer(const TestHttpServer&) = delete;
  TestHttpServer& operator=(const TestHttpServer&) = delete;

  // Serves the files under `native_folder` at `mount` ("/" by default).
  void ServeFolder(const std::string& native_folder, const std::string& mount = "/") {
    if (!server_.set_mount_point(mount, native_folder)) {
      throw std::runtime_error("cannot serve " + native_folder);
    }
  }

  // The underlying server, for custom handlers (add them before Start).
  httplib::Server& http() { return server_; }

  // Binds 127.0.0.1 on a free port and serves on a background thread.
  void Start();

  // Stops serving. Client connections still open (a downloader that keeps
  // its connection alive) are shut down, so stopping does not wait for the
  // keep-alive time-out.
  void Stop() {
    if (!thread_.joinable()) return;
    server_.stop();
    ShutDownServedConnections();
    thread_.join();
  }

  int port() const { return port_; }
  // "http://127.0.0.1:<port>", no trailing slash.
  std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }
  std::string Url(const std::string& path) const { return BaseUrl() + path; }

  int requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }
  // Distinct client connections seen (told apart by the client's address and port).
  int connections() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(clients_.size());
  }
  // Request targets (path and query, as sent) in arrival order.
  std::vector<std::string> paths() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return paths_;
  }
  void ResetCounts() {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_ = 0;
    clients_.clear();
    paths_.clear();
  }

 private:
  // Every socket of this process whose local end is the server's port and
  // that has a peer is a served connection.
  void ShutDownServedConnections() const;

  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
  mutable std::mutex mutex_;
  int requests_ = 0;
  std::set<std::string> clients_;
  std::vector<std::string> paths_;
};

class StallingServer {
 public:
  // `opening` is sent right after accepting (empty: nothing at all), for
  // example reply headers that promise more body than ever arrives. With
  // `trickle`, one byte more follows on each connection every half second.
  explicit StallingServer(std::string opening = {}, bool trickle = false)
      : opening_(std::move(opening)), trickle_(trickle) {
    listener_ = Listen(&port_);
    thread_ = std::thread([this] { AcceptLoop(); });
  }
  ~StallingServer() {
    stop_ = true;
    thread_.join();
    for (const int fd : accepted_) ::close(fd);
    ::close(listener_);
  }
  StallingServer(const StallingServer&) = delete;
  StallingServer& operator=(const StallingServer&) = delete;

  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

 private:
  void AcceptLoop();

  std::string opening_;
  bool trickle_ = false;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::vector<int> accepted_;
  std::thread thread_;
};

class EndlessServer {
 public:
  static constexpr std::size_t kFullSpeed = 0;

  // `head` is the reply's status line and headers (with their blank line);
  // then `bytes_per_second` of body follow (kFullSpeed: whatever the socket
  // takes), until the client goes away.
  EndlessServer(std::string head, std::size_t bytes_per_second)
      : head_(std::move(head)), rate_(bytes_per_second) {
    listener_ = Listen(&port_);
    thread_ = std::thread([this] { Serve(); });
  }
  ~EndlessServer() {
    stop_ = true;
    thread_.join();
    for (const int fd : clients_) ::close(fd);
    ::close(listener_);
  }
  EndlessServer(const EndlessServer&) = delete;
  EndlessServer& operator=(const EndlessServer&) = delete;

  std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }
  std::string Url(const std::string& path) const { return BaseUrl() + path; }
  // Body bytes sent so far, over all connections.
  std::size_t sent() const { return sent_; }

 private:
  static constexpr int kTickMilliseconds = 20;

  void Serve();

  std::string head_;
  std::size_t rate_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<std::size_t> sent_{0};
  std::vector<int> clients_;
  std::thread thread_;
};

}  // namespace vanto::testing
