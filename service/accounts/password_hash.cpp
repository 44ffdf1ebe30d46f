#include "service/accounts/password_hash.h"

#include <sodium.h>

#include <stdexcept>

namespace vanto::service {

PasswordHasher::PasswordHasher() {
  if (sodium_init() < 0) throw std::runtime_error("libsodium could not be initialised");
}

std::string PasswordHasher::Hash(const std::string& password) {
  char out[crypto_pwhash_STRBYTES];
  slots_.acquire();
  int code =
      crypto_pwhash_str(out, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                        crypto_pwhash_MEMLIMIT_INTERACTIVE);
  slots_.release();
  if (code != 0) throw std::runtime_error("password hashing ran out of memory");
  return out;
}

bool PasswordHasher::Verify(const std::string& hash, const std::string& password) {
  slots_.acquire();
  int code = crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size());
  slots_.release();
  return code == 0;
}

void PasswordHasher::VerifyNothing(const std::string& password) {
  std::call_once(dummy_once_, [this] { dummy_hash_ = Hash("no such account"); });
  Verify(dummy_hash_, password);
}

}  // namespace vanto::service
