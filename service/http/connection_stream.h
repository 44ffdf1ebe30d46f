// cpp-httplib's view of a ClientConnection while a worker answers one
// request: reads come from the bytes the gate already read, then from the
// socket until the read deadline; writes wait for the socket up to the write
// time-out each.
#pragma once

#include <httplib.h>

#include <chrono>

#include "service/http/client_connection.h"

namespace vanto::service {

class ConnectionStream : public httplib::Stream {
 public:
  ConnectionStream(ClientConnection& connection, SteadyTime read_deadline,
                   std::chrono::milliseconds write_timeout)
      : connection_(connection), read_deadline_(read_deadline), write_timeout_(write_timeout) {}

  bool is_readable() const override;
  bool is_writable() const override;
  ssize_t read(char* ptr, size_t size) override;
  ssize_t write(const char* ptr, size_t size) override;
  void get_remote_ip_and_port(std::string& ip, int& port) const override;
  void get_local_ip_and_port(std::string& ip, int& port) const override;
  socket_t socket() const override { return connection_.fd(); }

 private:
  std::chrono::milliseconds ReadTimeLeft() const;

  ClientConnection& connection_;
  SteadyTime read_deadline_;
  std::chrono::milliseconds write_timeout_;
};

}  // namespace vanto::service
