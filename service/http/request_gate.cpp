#include "service/http/request_gate.h"

#include <fcntl.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <system_error>
#include <vector>

namespace vanto::service {
namespace {

constexpr int kTickMs = 100;                // how often deadlines are checked
constexpr std::chrono::seconds kLinger{2};  // a refused client's time to read the refusal

}  // namespace

RequestGate::RequestGate(GateLimits limits, Dispatch dispatch)
    : limits_(limits),
      dispatch_(std::move(dispatch)),
      addresses_(std::make_shared<AddressLimit>(limits.per_address)),
      epoll_(::epoll_create1(EPOLL_CLOEXEC)),
      wake_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (epoll_ < 0 || wake_ < 0) throw std::system_error(errno, std::generic_category(), "epoll");
  epoll_event event{};
  event.events = EPOLLIN;
  event.data.fd = wake_;
  ::epoll_ctl(epoll_, EPOLL_CTL_ADD, wake_, &event);
  thread_ = std::thread([this] { Loop(); });
}

RequestGate::~RequestGate() {
  Stop();
  ::close(wake_);
  ::close(epoll_);
}

void RequestGate::Admit(int fd) {
  std::string address;
  int port = 0;
  SocketEndpoint(fd, true, address, port);
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  AddressLimit::Slot slot = addresses_->Enter(address);
  const bool counted = static_cast<bool>(slot);
  auto connection = std::make_unique<ClientConnection>(fd, address, port, std::move(slot));
  if (counted) {
    connection->deadline = std::chrono::steady_clock::now() + limits_.head_time;
  } else {
    connection->Refuse("503 Service Unavailable");
    connection->deadline = std::chrono::steady_clock::now() + kLinger;
  }
  Watch(std::move(connection));
}

void RequestGate::Return(std::unique_ptr<ClientConnection> connection) {
  if (stopping_) return;  // the connection closes here
  connection->idle = !connection->HasPending();
  connection->deadline =
      std::chrono::steady_clock::now() + (connection->idle ? limits_.idle_time : limits_.head_time);
  if (connection->HeadComplete()) return dispatch_(std::move(connection));  // pipelined
  Watch(std::move(connection));
}

void RequestGate::Stop() {
  stopping_ = true;
  const uint64_t one = 1;
  [[maybe_unused]] ssize_t ignored = ::write(wake_, &one, sizeof one);
  if (thread_.joinable()) thread_.join();
}

void RequestGate::Watch(std::unique_ptr<ClientConnection> connection) {
  std::lock_guard lock(mutex_);
  if (stopping_) return;  // the connection closes here
  const int fd = connection->fd();
  epoll_event event{};
  event.events = EPOLLIN | EPOLLRDHUP | EPOLLONESHOT;
  event.data.fd = fd;
  if (::epoll_ctl(epoll_, EPOLL_CTL_ADD, fd, &event) != 0) return;
  waiting_[fd] = std::move(connection);
}

void RequestGate::Loop() {
  std::vector<epoll_event> events(256);
  while (!stopping_) {
    int n = ::epoll_wait(epoll_, events.data(), static_cast<int>(events.size()), kTickMs);
    for (int i = 0; i < n; ++i) {
      if (events[i].data.fd != wake_) OnReadable(events[i].data.fd);
    }
    CloseExpired();
  }
  std::lock_guard lock(mutex_);
  waiting_.clear();
}

void RequestGate::OnReadable(int fd) {
  std::unique_ptr<ClientConnection> ready;
  {
    std::lock_guard lock(mutex_);
    auto it = waiting_.find(fd);
    if (it == waiting_.end()) return;
    ClientConnection& connection = *it->second;
    if (connection.closing) {
      if (!connection.Drain()) return void(waiting_.erase(it));
      return Rearm(fd);
    }
    const bool open = connection.Fill(limits_.max_head + 1);
    if (connection.idle && connection.HasPending()) {
      connection.idle = false;  // a new request has begun: its head has the head time
      connection.deadline = std::chrono::steady_clock::now() + limits_.head_time;
    }
    if (!connection.HeadComplete()) {
      if (!open) return void(waiting_.erase(it));  // the client went away
      if (connection.PendingSize() > limits_.max_head) {
        connection.Refuse("431 Request Header Fields Too Large");
        connection.deadline = std::chrono::steady_clock::now() + kLinger;
      }
      return Rearm(fd);
    }
    ::epoll_ctl(epoll_, EPOLL_CTL_DEL, fd, nullptr);
    ready = std::move(it->second);
    waiting_.erase(it);
  }
  dispatch_(std::move(ready));
}

void RequestGate::Rearm(int fd) {
  epoll_event event{};
  event.events = EPOLLIN | EPOLLRDHUP | EPOLLONESHOT;
  event.data.fd = fd;
  ::epoll_ctl(epoll_, EPOLL_CTL_MOD, fd, &event);
}

void RequestGate::CloseExpired() {
  const auto now = std::chrono::steady_clock::now();
  std::lock_guard lock(mutex_);
  for (auto it = waiting_.begin(); it != waiting_.end();) {
    ClientConnection& connection = *it->second;
    if (now < connection.deadline) {
      ++it;
    } else if (connection.idle || connection.closing) {
      it = waiting_.erase(it);
    } else {
      connection.Refuse("408 Request Timeout");
      connection.deadline = now + kLinger;
      ++it;
    }
  }
}

}  // namespace vanto::service
