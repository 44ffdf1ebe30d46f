#include "service/http/client_connection.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vanto::service {

void SocketEndpoint(int fd, bool peer, std::string& address, int& port) {
  sockaddr_storage end{};
  socklen_t size = sizeof end;
  auto* raw = reinterpret_cast<sockaddr*>(&end);
  address = "?";
  port = 0;
  if ((peer ? ::getpeername(fd, raw, &size) : ::getsockname(fd, raw, &size)) != 0) return;
  char text[INET6_ADDRSTRLEN] = "";
  if (end.ss_family == AF_INET) {
    auto* in = reinterpret_cast<sockaddr_in*>(&end);
    ::inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
    port = ntohs(in->sin_port);
  } else if (end.ss_family == AF_INET6) {
    auto* in = reinterpret_cast<sockaddr_in6*>(&end);
    ::inet_ntop(AF_INET6, &in->sin6_addr, text, sizeof text);
    port = ntohs(in->sin6_port);
  }
  address = text;
}

ClientConnection::ClientConnection(int fd, std::string address, int port, AddressLimit::Slot slot)
    : fd_(fd), address_(std::move(address)), port_(port), slot_(std::move(slot)) {}

ClientConnection::~ClientConnection() {
  ::close(fd_);
}

bool ClientConnection::Fill(size_t limit) {
  char buffer[4096];
  while (pending_.size() < limit) {
    ssize_t n = ::recv(fd_, buffer, std::min(sizeof buffer, limit - pending_.size()), 0);
    if (n > 0) {
      pending_.append(buffer, static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
  }
  return true;
}

bool ClientConnection::FillWithin(std::chrono::milliseconds timeout, size_t limit) {
  pollfd wait{fd_, POLLIN, 0};
  int ready;
  do {
    ready = ::poll(&wait, 1, static_cast<int>(std::max<int64_t>(0, timeout.count())));
  } while (ready < 0 && errno == EINTR);
  if (ready <= 0) return false;
  const size_t before = pending_.size();
  return Fill(limit) && pending_.size() > before;
}

bool ClientConnection::HeadComplete() const {
  return pending_.find("\r\n\r\n") != std::string::npos ||
         pending_.find("\n\n") != std::string::npos;
}

size_t ClientConnection::Take(char* out, size_t size) {
  size_t n = std::min(size, pending_.size());
  std::memcpy(out, pending_.data(), n);
  pending_.erase(0, n);
  return n;
}

void ClientConnection::Refuse(const char* status_line) {
  // An HTML body, like every error of the service: the course host rejects a
  // reply holding '<' as a manifest or account reply.
  const std::string body = std::string("<html><body>") + status_line + "</body></html>\n";
  const std::string reply = std::string("HTTP/1.1 ") + status_line +
                            "\r\nConnection: close\r\nContent-Type: text/html\r\nContent-Length: " +
                            std::to_string(body.size()) + "\r\n\r\n" + body;
  [[maybe_unused]] ssize_t ignored =
      ::send(fd_, reply.data(), reply.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  ::shutdown(fd_, SHUT_WR);
  pending_.clear();
  closing = true;
}

bool ClientConnection::Drain() {
  const bool open = Fill(64 * 1024);
  pending_.clear();
  return open;
}

}  // namespace vanto::service
