// A working folder, a script host and three content mirrors on 127.0.0.1,
// and a ContentDelivery over them reporting to a headless reload wait.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "delivery/content_delivery.h"
#include "delivery/headless_event_loop.h"
#include "delivery/reload_wait.h"
#include "delivery/update_flag.h"
#include "delivery_fakes.h"

namespace vanto::testing {

class DeliveryTest : public ::testing::Test {
 protected:
  struct Notice {
    int code;
    std::int64_t value;
    std::string line;
  };

  DeliveryTest() : delivery_(Mirrors(), HostPath(work_), loop_, processes_, messages_, nullptr) {}
  ~DeliveryTest() override { delivery::started_after_update = 0; }

  delivery::MirrorTable Mirrors() const {
    return {hosts_[0].server.BaseUrl(), hosts_[1].server.BaseUrl(), hosts_[2].server.BaseUrl(),
            hosts_[3].server.BaseUrl()};
  }

  // Fetches a manifest for `query` and waits modally for its worker; the
  // completion code, or -1 when no worker was started.
  std::int64_t Fetch(const std::string& query = "?p1") {
    delivery::ReloadWait wait(loop_, [this](int code, std::int64_t value, std::string_view line) {
      notices_.push_back({code, value, std::string(line)});
    });
    if (!delivery_.FetchManifest(query, &wait)) return -1;
    return wait.RunModal();
  }

  // The manifest served by the script host, lines joined by CR LF.
  void Serve(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    hosts_[0].SetManifest(text);
  }

  int Steps() const {
    int steps = 0;
    for (const Notice& notice : notices_) steps += notice.code == delivery::ID_DOWNLOAD_STEP;
    return steps;
  }

  std::array<ContentHost, 4> hosts_;
  TempFolder work_;
  delivery::HeadlessEventLoop loop_;
  RecordingProcesses processes_;
  RecordingMessages messages_;
  std::vector<Notice> notices_;
  delivery::ContentDelivery delivery_;
};

}  // namespace vanto::testing
