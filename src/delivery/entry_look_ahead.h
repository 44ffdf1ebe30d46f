// Work on manifest entries done ahead of the download worker: the check of
// each entry (EntryNeedsDownload) on a few threads, as many as the
// machine has cores, and the downloads of the entries found missing or stale
// on a few fetch lanes, each keeping its own connection alive.
//
// The worker still handles every line itself, in manifest order, and asks
// here for the answers of its current entry, so its notices and decisions
// stay those of a worker doing one thing at a time. What runs ahead is
// bounded:
// - at most `window` entries are taken in at once;
// - nothing is taken in past a command line, nor past an entry with "exe" or
//   "quit" flags, until the worker has passed that line: a command may delete
//   or start files, an executable may change anything, and a run that ends
//   there has touched nothing beyond it;
// - an entry whose file is, holds or lies in the file of an entry still
//   taken in waits until the worker has passed the earlier one, so each file
//   sees its entries in manifest order;
// - downloads start in manifest order. One lane fetches at first; one more
//   opens for every kFilesPerExtraLane files served by the first mirror
//   tried, up to `connections`, and any failed try brings it back to one. So
//   short runs and runs with a failing mirror keep to one connection, and the
//   mirror order settles before several requests are in flight.
//
// Thread use: the worker calls Needed, Fetched and Passed; the lanes are this
// object's own threads, ended by its destructor.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "delivery/manifest_line.h"

namespace vanto::delivery {

class EntryLookAhead {
 public:
  // What the check of an entry found: whether its file must be fetched
  // (EntryNeedsDownload, which deletes a present file whose digest differs),
  // and the permissions of the file that was there before.
  struct EntryCheck {
    bool need = false;
    std::optional<unsigned> permissions;
  };
  enum class FetchOutcome { kFailed, kFirstTry, kLaterTry };
  // Downloads one entry's file (called on a fetch lane, several at once).
  using Fetch =
      std::function<FetchOutcome(const ManifestEntry& entry, const std::string& local_path)>;

  struct Limits {
    int digest_threads = 1;
    int connections = 4;
    std::size_t window = 16;
  };
  // As many digest threads as the machine has cores, four connections.
  static Limits DefaultLimits();

  static constexpr int kFilesPerExtraLane = 32;

  // `lines` and `local_dir` stay unchanged for the object's life.
  EntryLookAhead(const std::vector<std::string>& lines, const std::string& local_dir, Fetch fetch,
                 Limits limits = DefaultLimits());
  // Starts nothing more and waits for the checks and downloads under way.
  ~EntryLookAhead();
  EntryLookAhead(const EntryLookAhead&) = delete;
  EntryLookAhead& operator=(const EntryLookAhead&) = delete;

  // For the worker's current line `index`, an entry line whose path is
  // usable (EntryPathUsable), once every earlier line has been Passed:
  // Checked waits for the entry's check (a stale file is then already
  // deleted); after a check that found a need, Fetched waits for the
  // download and tells whether a try succeeded.
  EntryCheck Checked(std::size_t index);
  bool Fetched(std::size_t index);
  // The worker is done with line `index` (of any kind).
  void Passed(std::size_t index);

 private:
  enum class Stage { kToCheck, kChecking, kToFetch, kFetching, kDone };
  struct Slot {
    std::size_t index;
    ManifestEntry entry;
    std::string local_path;
    std::string key;  // PathKey(local_path)
    Stage stage = Stage::kToCheck;
    EntryCheck check{};
    bool fetched = false;
  };

  // Under mutex_.
  void TakeIn();
  bool OverlapsTakenIn(const std::string& key) const;
  Slot* FirstToCheck();
  Slot* NextToFetch();
  int OpenLanes() const;
  Slot& CurrentSlot(std::size_t index);

  void DigestLane();
  void FetchLane(int lane);

  const std::vector<std::string>& lines_;
  const std::string local_dir_;
  const Fetch fetch_;
  const Limits limits_;

  std::mutex mutex_;
  std::condition_variable to_check_;  // digest lanes wait here
  std::condition_variable to_fetch_;  // fetch lanes wait here
  std::condition_variable answered_;  // the worker waits here
  std::deque<Slot> window_;           // entries taken in, in manifest order
  std::size_t next_line_ = 0;         // the first line not yet taken in
  std::size_t passed_ = 0;            // lines the worker is done with
  std::size_t hold_until_ = 0;        // nothing is taken in before passed_ reaches it
  int served_first_try_ = 0;          // files since the last failed try
  bool stopping_ = false;
  std::vector<std::thread> lanes_;
};

}  // namespace vanto::delivery
