#include "delivery/entry_look_ahead.h"

#include <algorithm>
#include <cassert>

#include "delivery/entry_path.h"
#include "delivery/file_digest.h"
#include "delivery/look_ahead_rules.h"
#include "platform/file_system.h"

namespace vanto::delivery {

EntryLookAhead::Limits EntryLookAhead::DefaultLimits() {
  Limits limits;
  limits.digest_threads = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  return limits;
}

EntryLookAhead::EntryLookAhead(const std::vector<std::string>& lines, const std::string& local_dir,
                               Fetch fetch, Limits limits)
    : lines_(lines), local_dir_(local_dir), fetch_(std::move(fetch)), limits_(limits) {
  for (int i = 0; i < limits_.digest_threads; ++i) lanes_.emplace_back([this] { DigestLane(); });
  for (int i = 0; i < limits_.connections; ++i) lanes_.emplace_back([this, i] { FetchLane(i); });
}

EntryLookAhead::~EntryLookAhead() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  to_check_.notify_all();
  to_fetch_.notify_all();
  for (std::thread& lane : lanes_) lane.join();
}

EntryLookAhead::EntryCheck EntryLookAhead::Checked(std::size_t index) {
  std::unique_lock lock(mutex_);
  TakeIn();
  Slot& slot = CurrentSlot(index);
  answered_.wait(lock,
                 [&] { return slot.stage != Stage::kToCheck && slot.stage != Stage::kChecking; });
  return slot.check;
}

bool EntryLookAhead::Fetched(std::size_t index) {
  std::unique_lock lock(mutex_);
  Slot& slot = CurrentSlot(index);
  answered_.wait(lock, [&] { return slot.stage == Stage::kDone; });
  return slot.fetched;
}

void EntryLookAhead::Passed(std::size_t index) {
  std::lock_guard lock(mutex_);
  passed_ = index + 1;
  if (!window_.empty() && window_.front().index == index) window_.pop_front();
  TakeIn();
}

void EntryLookAhead::TakeIn() {
  while (next_line_ < lines_.size() && window_.size() < limits_.window && passed_ >= hold_until_) {
    const std::string& line = lines_[next_line_];
    if (IsCommandLine(line)) {
      if (passed_ <= next_line_) return;  // the worker runs it first
      ++next_line_;
      continue;
    }
    const ManifestEntry entry = ParseEntryLine(line);
    std::string local_path = LocalPathOf(local_dir_, entry.path);
    if (EntryPathUsable(entry.path, local_path)) {
      std::string key = PathKey(local_path);
      if (OverlapsTakenIn(key)) return;
      window_.push_back(Slot{next_line_, entry, std::move(local_path), std::move(key)});
      to_check_.notify_one();
      if (StopsLookAhead(entry)) hold_until_ = next_line_ + 1;
    }
    ++next_line_;
  }
}

bool EntryLookAhead::OverlapsTakenIn(const std::string& key) const {
  return std::any_of(window_.begin(), window_.end(),
                     [&](const Slot& slot) { return PathsOverlap(slot.key, key); });
}

EntryLookAhead::Slot* EntryLookAhead::FirstToCheck() {
  for (Slot& slot : window_) {
    if (slot.stage == Stage::kToCheck) return &slot;
  }
  return nullptr;
}

// Downloads start in manifest order: none passes an entry still being checked.
EntryLookAhead::Slot* EntryLookAhead::NextToFetch() {
  for (Slot& slot : window_) {
    if (slot.stage == Stage::kToCheck || slot.stage == Stage::kChecking) return nullptr;
    if (slot.stage == Stage::kToFetch) return &slot;
  }
  return nullptr;
}

int EntryLookAhead::OpenLanes() const {
  return std::min(limits_.connections, 1 + served_first_try_ / kFilesPerExtraLane);
}

// Every earlier line has been passed and this one is a usable entry, so
// TakeIn has taken it in and it is the first of the window.
EntryLookAhead::Slot& EntryLookAhead::CurrentSlot([[maybe_unused]] std::size_t index) {
  assert(!window_.empty() && window_.front().index == index);
  return window_.front();
}

void EntryLookAhead::DigestLane() {
  std::unique_lock lock(mutex_);
  for (;;) {
    Slot* slot = nullptr;
    to_check_.wait(lock, [&] { return stopping_ || (slot = FirstToCheck()) != nullptr; });
    if (stopping_) return;
    slot->stage = Stage::kChecking;
    lock.unlock();
    EntryCheck check;
    check.permissions = platform::FilePermissions(slot->local_path);
    check.need = EntryNeedsDownload(slot->entry.stamp, slot->local_path);
    lock.lock();
    slot->check = check;
    slot->stage = check.need ? Stage::kToFetch : Stage::kDone;
    if (slot == &window_.front()) answered_.notify_one();  // the worker waits for the first
    if (NextToFetch() != nullptr) to_fetch_.notify_all();
  }
}

void EntryLookAhead::FetchLane(int lane) {
  std::unique_lock lock(mutex_);
  for (;;) {
    Slot* slot = nullptr;
    to_fetch_.wait(lock, [&] {
      return stopping_ || (lane < OpenLanes() && (slot = NextToFetch()) != nullptr);
    });
    if (stopping_) return;
    slot->stage = Stage::kFetching;
    lock.unlock();
    const FetchOutcome outcome = fetch_(slot->entry, slot->local_path);
    lock.lock();
    slot->fetched = outcome != FetchOutcome::kFailed;
    slot->stage = Stage::kDone;
    served_first_try_ = outcome == FetchOutcome::kFirstTry ? served_first_try_ + 1 : 0;
    if (slot == &window_.front()) answered_.notify_one();  // the worker waits for the first
    to_fetch_.notify_all();
  }
}

}  // namespace vanto::delivery
