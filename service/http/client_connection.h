// One client's TCP connection while the service holds it: the socket (non-
// blocking), the client's address, the bytes read but not yet parsed, and
// its deadline. Closing it frees its place in the client address's count.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

#include "service/http/address_limit.h"

namespace vanto::service {

using SteadyTime = std::chrono::steady_clock::time_point;

// The address and port of a socket's peer (`peer`) or of its own end; "?" and
// 0 when unknown.
void SocketEndpoint(int fd, bool peer, std::string& address, int& port);

class ClientConnection {
 public:
  ClientConnection(int fd, std::string address, int port, AddressLimit::Slot slot);
  ~ClientConnection();
  ClientConnection(const ClientConnection&) = delete;
  ClientConnection& operator=(const ClientConnection&) = delete;

  int fd() const { return fd_; }
  const std::string& address() const { return address_; }
  int port() const { return port_; }

  // Reads what the socket holds now, up to `limit` pending bytes. False when
  // the client closed its side or the connection failed.
  bool Fill(size_t limit);
  // Waits up to `timeout` for more bytes and reads them; false on time-out,
  // end of stream or error.
  bool FillWithin(std::chrono::milliseconds timeout, size_t limit);
  // True when the pending bytes hold a whole request line and header block.
  bool HeadComplete() const;
  // Moves up to `size` pending bytes to `out`.
  size_t Take(char* out, size_t size);
  bool HasPending() const { return !pending_.empty(); }
  size_t PendingSize() const { return pending_.size(); }
  // Sends a short status reply without waiting and ends the sending side;
  // the connection is then only drained until the client closes, so that
  // the reply is not lost to a reset caused by unread request bytes.
  void Refuse(const char* status_line);
  // Reads and drops what the socket holds; false once the client has closed.
  bool Drain();

  SteadyTime deadline;
  bool idle = false;     // waiting for the next request of a kept-alive connection
  int served = 0;        // requests answered on this connection
  bool closing = false;  // refused: waiting for the client to close

 private:
  int fd_;
  std::string address_;
  int port_;
  AddressLimit::Slot slot_;
  std::string pending_;
};

}  // namespace vanto::service
