// Counts the open connections of each client address and refuses one more
// beyond the limit (0: no limit). A Slot is one counted connection.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace vanto::service {

class AddressLimit : public std::enable_shared_from_this<AddressLimit> {
 public:
  class Slot {
   public:
    Slot() = default;
    Slot(std::shared_ptr<AddressLimit> owner, std::string address)
        : owner_(std::move(owner)), address_(std::move(address)) {}
    Slot(Slot&& other) noexcept = default;
    Slot& operator=(Slot&& other) noexcept;
    ~Slot();
    explicit operator bool() const { return owner_ != nullptr; }

   private:
    std::shared_ptr<AddressLimit> owner_;
    std::string address_;
  };

  explicit AddressLimit(int per_address) : per_address_(per_address) {}
  // An empty Slot when the address has its limit of connections open.
  Slot Enter(const std::string& address);

 private:
  void Leave(const std::string& address);

  const int per_address_;
  std::mutex mutex_;
  std::unordered_map<std::string, int> open_;
};

}  // namespace vanto::service
