// The main window's content downloads as its collaborators see them: a
// manifest fetched and its files downloaded by the one worker, with or
// without the modal reload dialog.
#pragma once

#include <string>

#include "delivery/progress_target.h"

class ContentFetches {
 public:
  virtual ~ContentFetches() = default;
  // Fetches the manifest for `query` and starts the worker with `target` as
  // its progress target (may be null). True when a worker was started.
  virtual bool FetchManifest(const std::string& query, vanto::delivery::ProgressTarget* target) = 0;
  // The same with a new reload dialog as target, shown modally while the
  // worker runs.
  virtual void FetchWithReloadDialog(const std::string& query) = 0;
  virtual bool WorkerRunning() const = 0;
  // No further notice reaches `target`: called before a target goes away.
  virtual void DetachProgressTarget(const vanto::delivery::ProgressTarget* target) = 0;
};

// For a window that downloads nothing: no worker is ever started.
class NoContentFetches : public ContentFetches {
 public:
  bool FetchManifest(const std::string&, vanto::delivery::ProgressTarget*) override {
    return false;
  }
  void FetchWithReloadDialog(const std::string&) override {}
  bool WorkerRunning() const override { return false; }
  void DetachProgressTarget(const vanto::delivery::ProgressTarget*) override {}
};
