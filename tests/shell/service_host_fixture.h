// A main window wired to a real service on 127.0.0.1 for the account client
// and the media fetches: the account script "/v2/vtuser.php" answers with
// scripted replies, the content script "/v2.php" answers every range query
// with a manifest naming the range's files, and "/v2/<path>" serves them.
// Manifests go through the real content delivery and its download worker;
// reload dialogs wait modally in a headless event loop.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "delivery/content_delivery.h"
#include "delivery/headless_event_loop.h"
#include "delivery/reload_wait.h"
#include "host_fakes.h"
#include "platform/native_path.h"
#include "shell/delivery_fetcher.h"
#include "shell/front_end/reload_dialogs.h"
#include "shell/vanto_pelko_dlg.h"
#include "test_http_server.h"

namespace service_test {

class NoProcesses : public vanto::delivery::ProcessControl {
 public:
  bool Start(const std::string&, const std::vector<std::string>&, const std::string&) override {
    return false;
  }
  void RequestQuit() override {}
};

// A reload dialog whose modal wait runs the headless event loop.
class WaitingReloadDlg : public CReloadDlg {
 public:
  WaitingReloadDlg(vanto::delivery::UiDispatcher& ui, host_test::CallLog& recorder)
      : wait_(ui), recorder_(recorder) {}
  void DoModal() override {
    wait_.RunModal();
    recorder_.Add("Reload done " + std::to_string(wait_.position()));
  }
  void OnDownloadNotice(int code, std::int64_t value, std::string_view line) override {
    wait_.OnDownloadNotice(code, value, line);
  }
  bool WindowExists() const override { return wait_.WindowExists(); }

 private:
  vanto::delivery::ReloadWait wait_;
  host_test::CallLog& recorder_;
};

class WaitingReloadFactory : public ReloadDialogFactory {
 public:
  WaitingReloadFactory(vanto::delivery::UiDispatcher& ui, host_test::CallLog& recorder)
      : ui_(ui), recorder_(recorder) {}
  std::unique_ptr<CReloadDlg> CreateReloadDialog() override {
    return std::make_unique<WaitingReloadDlg>(ui_, recorder_);
  }

 private:
  vanto::delivery::UiDispatcher& ui_;
  host_test::CallLog& recorder_;
};

// The service side: scripted account replies and a content service that
// names every file of a requested range.
class ServiceDouble {
 public:
  ServiceDouble() {
    // Each reply closes its connection: a kept-alive connection of the
    // client's per-thread handle would hold the server's stop for its
    // keep-alive time-out.
    server_.http().set_keep_alive_max_count(1);
    server_.http().Get("/v2/vtuser.php", [this](const httplib::Request&, httplib::Response& out) {
      std::lock_guard lock(mutex_);
      std::string reply = account_default_;
      if (!account_replies_.empty()) {
        reply = account_replies_.front();
        account_replies_.pop_front();
      }
      if (reply.empty()) {
        out.status = 503;
        return;
      }
      out.set_content(reply, "text/plain");
    });
    server_.http().Get("/v2.php", [this](const httplib::Request& request, httplib::Response& out) {
      out.set_content(ManifestFor(request), "text/plain");
    });
    server_.http().Get("/v2/(.+)", [this](const httplib::Request& request, httplib::Response& out) {
      std::lock_guard lock(mutex_);
      if (withheld_.count(request.matches[1])) {
        out.status = 404;
        return;
      }
      out.set_content("media " + std::string(request.matches[1]), "application/octet-stream");
    });
    server_.Start();
  }

  std::string BaseUrl() const { return server_.BaseUrl(); }

  // Replies of the next account requests, in order; an empty reply is a
  // failed transfer (503). After them every request gets `fallback`.
  void ScriptAccount(std::vector<std::string> replies, std::string fallback = {}) {
    std::lock_guard lock(mutex_);
    account_replies_.assign(replies.begin(), replies.end());
    account_default_ = std::move(fallback);
  }
  // Files the content service names but never delivers ("pz/3.jpg").
  void Withhold(const std::string& path) {
    std::lock_guard lock(mutex_);
    withheld_.insert(path);
  }

  // Queries (after '?') of the account script and of the content script.
  std::vector<std::string> AccountQueries() const { return QueriesOf("/v2/vtuser.php?"); }
  std::vector<std::string> ContentQueries() const { return QueriesOf("/v2.php?"); }
  int FileRequests() const {
    int count = 0;
    for (const std::string& path : server_.paths())
      count += path.rfind("/v2/", 0) == 0 && path.rfind("/v2/vtuser.php", 0) != 0;
    return count;
  }

 private:
  std::vector<std::string> QueriesOf(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& path : server_.paths()) {
      if (path.rfind(prefix, 0) == 0) out.push_back(path.substr(prefix.size()));
    }
    return out;
  }

  static int Param(const httplib::Request& request, const char* key) {
    return request.has_param(key) ? std::stoi(request.get_param_value(key)) : 0;
  }

  static std::string ManifestFor(const httplib::Request& request) {
    std::string lines;
    const auto add = [&](const std::string& path) { lines += path + "\r\n"; };
    if (request.has_param("gushi")) {
      for (int part = 0; part < 25; ++part) {
        add("gs" + request.get_param_value("gushi") + "/" + std::to_string(part) + ".swf");
      }
    } else if (request.has_param("pz")) {
      for (int i = Param(request, "from"); i < Param(request, "pz"); ++i) {
        add("pz/" + std::to_string(i) + ".jpg");
      }
    } else {
      for (int i = Param(request, "from"); i < Param(request, "to"); ++i) {
        add("ss/" + std::to_string(i) + ".mp3");
        add("bh/" + std::to_string(i) + ".swf");
        add("tp/" + std::to_string(i) + ".swf");
      }
    }
    return lines.empty() ? "empty.txt\r\n" : lines;
  }

  vanto::testing::TestHttpServer server_;
  mutable std::mutex mutex_;
  std::deque<std::string> account_replies_;
  std::string account_default_;
  std::set<std::string> withheld_;
};

// A reply the client accepts: the "[mofa]" section is what makes it valid.
inline std::string Reply(const std::string& sections,
                         const std::string& mofa = "0,0,0,0,0,0,0,0,0,0,") {
  return sections + "[mofa]\r\ncount=" + mofa + "\r\n";
}

class ServiceHostTest : public ::testing::Test {
 protected:
  ServiceHostTest()
      : movie_(recorder), window_(recorder), boxes_(recorder), reload_(loop_, recorder) {
    MakeDialog(service.BaseUrl());
  }
  ~ServiceHostTest() override { dlg.reset(); }

  // A new main window whose account requests go to `account_base`; its
  // content fetches go to the service double.
  void MakeDialog(const std::string& account_base, PopupRunner* popups = nullptr) {
    dlg.reset();
    HostServices services;
    if (popups) services.popups = popups;
    services.movie = &movie_;
    services.window = &window_;
    services.boxes = &boxes_;
    services.ui = &loop_;
    services.reload_dialogs = &reload_;
    for (std::string& mirror : services.hosts.mirrors) mirror = service.BaseUrl();
    services.hosts.account = account_base;
    dlg = std::make_unique<CVantoPelkoDlg>(services);
    const std::string folder = vanto::platform::NativeToHostPath(work_.path().string());
    vanto::delivery::MirrorTable mirrors;
    mirrors.fill(service.BaseUrl());
    dlg->SetManifestFetcher(
        std::make_unique<DeliveryFetcher>(std::make_unique<vanto::delivery::ContentDelivery>(
            mirrors, folder, loop_, processes_, boxes_, nullptr)));
    dlg->study().ini_path = "Vanto.ini";
  }

  vanto::delivery::HeadlessEventLoop& loop() { return loop_; }

  host_test::WorkingFolder work_;
  host_test::CallLog recorder;
  ServiceDouble service;

 private:
  host_test::RecordingMovie movie_;
  host_test::FakeWindow window_;
  host_test::FakeBoxes boxes_;
  vanto::delivery::HeadlessEventLoop loop_;
  WaitingReloadFactory reload_;
  NoProcesses processes_;

 protected:
  std::unique_ptr<CVantoPelkoDlg> dlg;
};

}  // namespace service_test
