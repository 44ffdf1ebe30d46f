#include "service/app/http_service.h"

#include <httplib.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "service/http/guarded_server.h"
#include "service/http/notice_pages.h"
#include "service/http/safe_path.h"

namespace vanto::service {
namespace {

using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

std::string_view RawQuery(const httplib::Request& req) {
  std::string_view target = req.target;
  size_t mark = target.find('?');
  return mark == std::string_view::npos ? std::string_view() : target.substr(mark + 1);
}

void Send(httplib::Response& res, const ScriptReply& reply) {
  res.status = reply.status;
  res.set_header("Cache-Control", "no-store");
  res.set_content(reply.body, reply.content_type.c_str());
}

const char* ContentType(const std::filesystem::path& file) {
  const std::string ext = file.extension().string();
  if (ext == ".mp3") return "audio/mpeg";
  if (ext == ".jpg") return "image/jpeg";
  if (ext == ".swf") return "application/x-shockwave-flash";
  if (ext == ".txt") return "text/plain; charset=utf-8";
  if (ext == ".xml") return "text/xml; charset=utf-8";
  return "application/octet-stream";
}

void SendNotFound(httplib::Response& res) {
  Send(res, ErrorReply(404, "not found"));
}

// Runs a handler, turning any exception into a 500 error page, and records
// its duration in a Server-Timing header for the request log.
Handler Timed(Handler handler) {
  return [handler = std::move(handler)](const httplib::Request& req, httplib::Response& res) {
    auto start = std::chrono::steady_clock::now();
    try {
      handler(req, res);
    } catch (const std::exception& error) {
      std::fprintf(stderr, "vanto-service: %s %s: %s\n", req.method.c_str(), req.path.c_str(),
                   error.what());
      Send(res, ErrorReply(500, "internal error"));
    }
    std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    char timing[48];
    std::snprintf(timing, sizeof timing, "app;dur=%.2f", took.count());
    res.set_header("Server-Timing", timing);
  };
}

// The decoded path with control bytes, spaces and non-ASCII bytes escaped, so
// that one request stays one log line.
std::string Printable(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c > ' ' && c < 0x7F && c != '%') {
      out.push_back(static_cast<char>(c));
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      out += escaped;
    }
  }
  return out;
}

void LogRequest(const httplib::Request& req, const httplib::Response& res) {
  std::string took = "-";
  std::string timing = res.get_header_value("Server-Timing");
  if (timing.starts_with("app;dur=")) took = timing.substr(8);
  size_t bytes = res.body.empty() ? res.content_length_ : res.body.size();
  std::fprintf(stderr, "%s %s %d %zu %sms\n", Printable(req.method).c_str(),
               Printable(req.path).c_str(), res.status, bytes, took.c_str());
}

}  // namespace

HttpService::HttpService(ServiceConfig config, AccountStore::Clock clock)
    : config_(std::move(config)),
      store_(config_.database, std::move(clock)),
      accounts_(store_),
      content_(config_.content),
      server_(std::make_unique<GuardedServer>(config_.threads, config_.gate)) {
  // Headers and body go out in separate writes; without TCP_NODELAY a small
  // reply waits for the client's delayed acknowledgement (about 40 ms).
  server_->set_tcp_nodelay(true);
  server_->set_keep_alive_max_count(1000);
  server_->set_payload_max_length(64 * 1024);  // every endpoint is a GET
  if (config_.log) server_->set_logger(LogRequest);
  // Errors raised inside the HTTP library (a request line too long, a bad
  // request) get the same HTML error page as the scripts' own errors.
  server_->set_error_handler([](const httplib::Request&, httplib::Response& res) {
    if (res.body.empty()) Send(res, ErrorReply(res.status, "request refused"));
  });
  Routes();
}

HttpService::~HttpService() {
  Stop();
}

void HttpService::Routes() {
  server_->Get("/v2.php", Timed([this](const httplib::Request& req, httplib::Response& res) {
                 Send(res, content_.Answer(RawQuery(req)));
               }));
  server_->Get("/v2/vtuser.php", Timed([this](const httplib::Request& req, httplib::Response& res) {
                 Send(res, accounts_.Answer(RawQuery(req)));
               }));
  server_->Get("/popup.php", Timed([](const httplib::Request& req, httplib::Response& res) {
                 Send(res, NoticePage(RawQuery(req)));
               }));
  server_->Get("/popup.htm", Timed([](const httplib::Request&, httplib::Response& res) {
                 Send(res, FallbackNoticePage());
               }));
  server_->Get("/v2/(.*)", Timed([this](const httplib::Request& req, httplib::Response& res) {
                 const std::string relative = req.path.substr(4);
                 auto file = ResolveInside(content_.Media().FolderFor(relative), relative);
                 if (!file || !content_.Media().EnsurePresent(relative)) return SendNotFound(res);
                 std::ifstream in(*file, std::ios::binary);
                 std::error_code error;
                 if (!in || !std::filesystem::is_regular_file(*file, error))
                   return SendNotFound(res);
                 std::ostringstream bytes;
                 bytes << in.rdbuf();
                 res.set_content(bytes.str(), ContentType(*file));
               }));
  server_->Get(".*",
               Timed([](const httplib::Request&, httplib::Response& res) { SendNotFound(res); }));
}

bool HttpService::Start() {
  if (config_.port == 0) {
    port_ = server_->bind_to_any_port(config_.host.c_str());
    return port_ > 0;
  }
  port_ = config_.port;
  return server_->bind_to_port(config_.host.c_str(), port_);
}

void HttpService::Run() {
  run_called_ = true;
  if (!stopping_) server_->Serve();
  run_done_ = true;
}

void HttpService::Stop() {
  stopping_ = true;
  if (!run_called_) return;  // Run() will see stopping_ and return at once
  // The server ignores stop() until its listening loop has begun.
  while (!server_->is_running() && !run_done_)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  server_->stop();
}

}  // namespace vanto::service
