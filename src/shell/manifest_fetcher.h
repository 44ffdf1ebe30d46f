// The main window's access to the content manifest and its download worker.
#pragma once

#include <string>

#include "delivery/progress_target.h"

class ManifestFetcher {
 public:
  virtual ~ManifestFetcher() = default;
  // Fetches the manifest for `query` and starts the worker with `target` as
  // its progress target (may be null). True when a worker was started.
  virtual bool FetchManifest(const std::string& query, vanto::delivery::ProgressTarget* target) = 0;
  virtual bool WorkerRunning() const = 0;
  // Waits, without a time limit, until the running worker has ended.
  virtual void WaitForWorker() = 0;
  // No further notice reaches `target`: called before a target goes away.
  // A fetcher that starts no worker has nothing to detach.
  virtual void DetachProgressTarget(const vanto::delivery::ProgressTarget* /*target*/) {}
};
