// A publisher's key pair that signs manifests as the service does, and the
// same key configured for the programs through the environment, with a user
// state folder of the test's own.
#pragma once

#include <stdlib.h>

#include <string>

#include "delivery/signature/manifest_signature.h"
#include "scratch_folder.h"

namespace vanto::testing {

class TestPublisher {
 public:
  TestPublisher() { delivery::MakeKeyPair(public_key_, secret_key_); }

  // A content manifest: its signature line first, then the body.
  std::string Content(const std::string& body, std::int64_t signed_at) const {
    return Line(body, delivery::ManifestKind::kContent, signed_at) + body;
  }
  // The signature of an update manifest, served apart.
  std::string Update(const std::string& manifest, std::int64_t signed_at) const {
    return Line(manifest, delivery::ManifestKind::kUpdate, signed_at);
  }
  std::string PublicKeyText() const {
    return delivery::KeyText(public_key_.data(), public_key_.size()) + "\n";
  }

 private:
  std::string Line(const std::string& bytes, delivery::ManifestKind kind,
                   std::int64_t signed_at) const {
    return delivery::SignatureLine(delivery::SignManifest(bytes, kind, secret_key_, signed_at)) +
           "\r\n";
  }

  delivery::PublicKey public_key_{};
  delivery::SecretKey secret_key_{};
};

class ConfiguredPublisher : public TestPublisher {
 public:
  ConfiguredPublisher() {
    config_.Write("publisher-key", PublicKeyText());
    ::setenv("VANTO_PUBLISHER_KEY_FILE", config_.Native("publisher-key").c_str(), 1);
    ::setenv("XDG_STATE_HOME", config_.Native("state").c_str(), 1);
  }
  ~ConfiguredPublisher() {
    ::unsetenv("VANTO_PUBLISHER_KEY_FILE");
    ::unsetenv("XDG_STATE_HOME");
  }
  ConfiguredPublisher(const ConfiguredPublisher&) = delete;
  ConfiguredPublisher& operator=(const ConfiguredPublisher&) = delete;

 private:
  ScratchFolder config_;
};

}  // namespace vanto::testing
