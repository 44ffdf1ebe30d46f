// Slow and silent clients against a service with a single worker: they wait
// without holding it, the ones beyond the per-address limit are refused, and
// each is closed when the head time limit passes, while normal clients
// (pipelined ones included) are answered at once.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

#include "running_service.h"
#include "temp_folder.h"

namespace vanto::service {
namespace {

using namespace std::chrono_literals;

// A connection to 127.0.0.1:port from `source` that has sent `bytes`.
int Connect(int port, const char* source, const std::string& bytes) {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  ::inet_pton(AF_INET, source, &address.sin_addr);
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  address.sin_port = htons(static_cast<uint16_t>(port));
  ::inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
  EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  EXPECT_EQ(::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL), ssize_t(bytes.size()));
  timeval limit{5, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  return fd;
}

// What the service sends until it closes, 5 s pass or `enough` bytes came;
// closes `fd`.
std::string Read(int fd, size_t enough = std::string::npos) {
  std::string reply;
  char buffer[4096];
  ssize_t n;
  while (reply.size() < enough && (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0)
    reply.append(buffer, size_t(n));
  ::close(fd);
  return reply;
}

TEST(SlowClientTest, SlowClientsNeitherHoldTheWorkerNorStay) {
  vanto::testing::TempFolder tree, data;
  tree.Write("Vanto.swf", "movie");
  GateLimits gate;
  gate.head_time = 1s;
  gate.per_address = 2;
  test::RunningService service(tree.path(), data.path(), 1, gate);
  ASSERT_TRUE(service.started());
  const std::string partial = "GET /v2/Vanto.swf HTTP/1.1\r\nHost: x\r\n";
  int slow[] = {Connect(service.port(), "127.0.0.2", partial),
                Connect(service.port(), "127.0.0.2", "")};
  const std::string refused =
      Read(Connect(service.port(), "127.0.0.2", partial + "X-Long: " + std::string(20000, 'x')));
  EXPECT_EQ(refused.substr(0, 12), "HTTP/1.1 503");

  httplib::Client client("127.0.0.1", service.port());
  const auto start = std::chrono::steady_clock::now();
  auto answer = client.Get("/v2/Vanto.swf");
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->body, "movie");
  EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);

  const std::string request = "GET /v2/Vanto.swf HTTP/1.1\r\nHost: x\r\n\r\n";
  std::string both =
      Read(Connect(service.port(), "127.0.0.1",
                   request + request.substr(0, request.size() - 2) + "Connection: close\r\n\r\n"));
  EXPECT_EQ(both.find("HTTP/1.1 200"), 0u) << both;
  EXPECT_NE(both.find("HTTP/1.1 200", 12), std::string::npos) << both;

  EXPECT_EQ(Read(slow[0], 12).substr(0, 12), "HTTP/1.1 408");
  EXPECT_EQ(Read(slow[1], 12).substr(0, 12), "HTTP/1.1 408");
}

}  // namespace
}  // namespace vanto::service
