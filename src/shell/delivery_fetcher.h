// The main window's manifest fetches served by the content delivery of the
// download layer.
#pragma once

#include <memory>
#include <string>

#include "delivery/content_delivery.h"
#include "shell/manifest_fetcher.h"

class DeliveryFetcher : public ManifestFetcher {
 public:
  explicit DeliveryFetcher(std::unique_ptr<vanto::delivery::ContentDelivery> delivery)
      : delivery_(std::move(delivery)) {}

  bool FetchManifest(const std::string& query, vanto::delivery::ProgressTarget* target) override {
    return delivery_->FetchManifest(query, target);
  }
  bool WorkerRunning() const override { return delivery_->WorkerRunning(); }
  void WaitForWorker() override { delivery_->JoinWorker(); }
  void DetachProgressTarget(const vanto::delivery::ProgressTarget* target) override {
    delivery_->DetachProgressTarget(target);
  }

  vanto::delivery::ContentDelivery& delivery() { return *delivery_; }

 private:
  std::unique_ptr<vanto::delivery::ContentDelivery> delivery_;
};
