#include "test_http_server.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <chrono>
#include <cstdlib>

#include "loopback.h"

namespace vanto::testing {

int Listen(int* port) {
  const int listener = ListenOnLoopback(16, port);
  if (listener < 0) throw std::runtime_error("cannot listen on 127.0.0.1");
  return listener;
}

void TestHttpServer::Start() {
  port_ = server_.bind_to_any_port("127.0.0.1");
  if (port_ <= 0) throw std::runtime_error("cannot bind a test server");
  thread_ = std::thread([this] { server_.listen_after_bind(); });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!server_.is_running() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void TestHttpServer::ShutDownServedConnections() const {
  DIR* folder = ::opendir("/proc/self/fd");
  if (folder == nullptr) return;
  while (const dirent* entry = ::readdir(folder)) {
    const int fd = std::atoi(entry->d_name);
    if (fd <= 2 || fd == ::dirfd(folder)) continue;
    sockaddr_in local{}, peer{};
    socklen_t local_size = sizeof local, peer_size = sizeof peer;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &local_size) != 0 ||
        local.sin_family != AF_INET || ntohs(local.sin_port) != port_ ||
        ::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peer_size) != 0) {
      continue;
    }
    ::shutdown(fd, SHUT_RDWR);
  }
  ::closedir(folder);
}

void StallingServer::AcceptLoop() {
  auto next_drop = std::chrono::steady_clock::now();
  while (!stop_) {
    if (trickle_ && std::chrono::steady_clock::now() >= next_drop) {
      next_drop += std::chrono::milliseconds(500);
      for (const int fd : accepted_) [[maybe_unused]] auto sent = ::send(fd, "x", 1, MSG_NOSIGNAL);
    }
    pollfd waiting{listener_, POLLIN, 0};
    if (::poll(&waiting, 1, 20) <= 0) continue;
    const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    accepted_.push_back(fd);
    if (!opening_.empty()) {
      [[maybe_unused]] const auto sent = ::send(fd, opening_.data(), opening_.size(), MSG_NOSIGNAL);
    }
  }
}

void EndlessServer::Serve() {
  const std::string chunk(rate_ == kFullSpeed ? 65536 : rate_ * kTickMilliseconds / 1000, 'x');
  while (!stop_) {
    pollfd waiting{listener_, POLLIN, 0};
    if (::poll(&waiting, 1, rate_ == kFullSpeed ? 0 : kTickMilliseconds) > 0) {
      const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd >= 0 && ::send(fd, head_.data(), head_.size(), MSG_NOSIGNAL) > 0) {
        clients_.push_back(fd);
      } else if (fd >= 0) {
        ::close(fd);
      }
    }
    for (const int fd : clients_) {
      const ssize_t n = ::send(fd, chunk.data(), chunk.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
      if (n > 0) sent_ += static_cast<std::size_t>(n);
    }
    if (rate_ == kFullSpeed && clients_.empty()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
}

}  // namespace vanto::testing
