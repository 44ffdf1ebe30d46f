#include "service/http/address_limit.h"

namespace vanto::service {

AddressLimit::Slot& AddressLimit::Slot::operator=(Slot&& other) noexcept {
  if (this != &other) {
    if (owner_) owner_->Leave(address_);
    owner_ = std::move(other.owner_);
    address_ = std::move(other.address_);
  }
  return *this;
}

AddressLimit::Slot::~Slot() {
  if (owner_) owner_->Leave(address_);
}

AddressLimit::Slot AddressLimit::Enter(const std::string& address) {
  std::lock_guard lock(mutex_);
  int& open = open_[address];
  if (per_address_ > 0 && open >= per_address_) {
    if (open == 0) open_.erase(address);
    return {};
  }
  ++open;
  return Slot(shared_from_this(), address);
}

void AddressLimit::Leave(const std::string& address) {
  std::lock_guard lock(mutex_);
  auto it = open_.find(address);
  if (it != open_.end() && --it->second <= 0) open_.erase(it);
}

}  // namespace vanto::service
