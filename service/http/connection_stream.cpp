#include "service/http/connection_stream.h"

#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

namespace vanto::service {
namespace {

constexpr size_t kReadAhead = 64 * 1024;

bool WaitWritable(int fd, std::chrono::milliseconds timeout) {
  pollfd wait{fd, POLLOUT, 0};
  int ready;
  do {
    ready = ::poll(&wait, 1, static_cast<int>(timeout.count()));
  } while (ready < 0 && errno == EINTR);
  return ready > 0 && !(wait.revents & (POLLERR | POLLHUP));
}

}  // namespace

std::chrono::milliseconds ConnectionStream::ReadTimeLeft() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(read_deadline_ -
                                                               std::chrono::steady_clock::now());
}

bool ConnectionStream::is_readable() const {
  return connection_.HasPending() ||
         (ReadTimeLeft().count() > 0 && connection_.FillWithin(ReadTimeLeft(), kReadAhead));
}

bool ConnectionStream::is_writable() const {
  return WaitWritable(connection_.fd(), write_timeout_);
}

ssize_t ConnectionStream::read(char* ptr, size_t size) {
  if (!is_readable()) return -1;
  return static_cast<ssize_t>(connection_.Take(ptr, size));
}

ssize_t ConnectionStream::write(const char* ptr, size_t size) {
  while (true) {
    ssize_t n = ::send(connection_.fd(), ptr, size, MSG_NOSIGNAL);
    if (n >= 0) return n;
    if (errno == EINTR) continue;
    if ((errno != EAGAIN && errno != EWOULDBLOCK) ||
        !WaitWritable(connection_.fd(), write_timeout_))
      return -1;
  }
}

void ConnectionStream::get_remote_ip_and_port(std::string& ip, int& port) const {
  ip = connection_.address();
  port = connection_.port();
}

void ConnectionStream::get_local_ip_and_port(std::string& ip, int& port) const {
  SocketEndpoint(connection_.fd(), false, ip, port);
}

}  // namespace vanto::service
