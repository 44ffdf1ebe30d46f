// Request heads from the network, as the service reads them: cpp-httplib's
// parsing of the request line and headers, then the service's own reading
// of the query (the scripts' parameters) and of the path (files of the
// content tree). A path that resolves must stay inside the tree.
#include <httplib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "fuzz_temp_file.h"
#include "service/http/query_string.h"
#include "service/http/safe_path.h"

namespace {

// The request bytes as the connection a worker reads from; replies are dropped.
class InputStream : public httplib::Stream {
 public:
  explicit InputStream(std::string_view bytes) : bytes_(bytes) {}
  bool is_readable() const override { return true; }
  bool is_writable() const override { return true; }
  ssize_t read(char* ptr, size_t size) override {
    const size_t n = std::min(size, bytes_.size());
    std::copy_n(bytes_.data(), n, ptr);
    bytes_.remove_prefix(n);
    return static_cast<ssize_t>(n);
  }
  ssize_t write(const char*, size_t size) override { return static_cast<ssize_t>(size); }
  void get_remote_ip_and_port(std::string& ip, int& port) const override {
    ip = "127.0.0.1";
    port = 40000;
  }
  void get_local_ip_and_port(std::string& ip, int& port) const override {
    ip = "127.0.0.1";
    port = 8090;
  }
  socket_t socket() const override { return INVALID_SOCKET; }

 private:
  std::string_view bytes_;
};

const std::filesystem::path& Root() {
  static const FuzzTempFolder root("root");
  return root.path();
}

void ReadQuery(const httplib::Request& request) {
  const std::string_view target = request.target;
  const std::size_t mark = target.find('?');
  if (mark == std::string_view::npos) return;
  const auto query = vanto::service::QueryString::Parse(target.substr(mark + 1));
  if (!query) return;
  for (const auto& [key, value] : query->Pairs()) {
    if (key.empty() || key.find('\0') != std::string::npos ||
        value.find('\0') != std::string::npos) {
      std::abort();
    }
    query->GetInt(key);
  }
}

void ResolvePath(const httplib::Request& request) {
  if (!request.path.starts_with("/v2/")) return;
  const auto file = vanto::service::ResolveInside(Root(), std::string_view(request.path).substr(4));
  if (!file) return;
  const std::string inside = file->lexically_normal().string();
  if (!inside.starts_with(Root().string() + "/")) std::abort();
}

// The service's routes in miniature: every request reaches the readers.
class Service : public httplib::Server {
 public:
  Service() {
    set_payload_max_length(64 * 1024);
    Get(".*", [](const httplib::Request& request, httplib::Response& response) {
      ReadQuery(request);
      ResolvePath(request);
      response.set_content("ok", "text/plain");
    });
  }
  void Answer(std::string_view bytes) {
    InputStream stream(bytes);
    bool closed = false;
    process_request(stream, true, closed, nullptr);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Service service;
  service.Answer(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
