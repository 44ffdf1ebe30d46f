// Salted slow password hashes (libsodium's crypto_pwhash_str, Argon2id with
// the interactive limits). Each verification takes about 64 MiB of memory, so
// at most two run at a time.
#pragma once

#include <mutex>
#include <semaphore>
#include <string>

namespace vanto::service {

class PasswordHasher {
 public:
  PasswordHasher();
  std::string Hash(const std::string& password);
  bool Verify(const std::string& hash, const std::string& password);
  // Spends the time of one verification, so that an unknown name answers as
  // slowly as a wrong password.
  void VerifyNothing(const std::string& password);

 private:
  std::counting_semaphore<2> slots_{2};
  std::once_flag dummy_once_;
  std::string dummy_hash_;
};

}  // namespace vanto::service
