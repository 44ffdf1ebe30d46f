// A publisher's key pair that signs manifests as the service does, and the
// same key configured for the programs through the environment, with a user
// state folder of the test's own.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>

#include <ctime>
#include <string>

#include "delivery/signature/manifest_signature.h"
#include "temp_folder.h"

namespace vanto::testing {

class TestPublisher {
 public:
  static constexpr std::int64_t kDay = 24 * 60 * 60;

  TestPublisher() { delivery::MakeKeyPair(public_key_, secret_key_); }

  // Seconds since the epoch, `offset` seconds from now.
  static std::int64_t Now(std::int64_t offset = 0) {
    return static_cast<std::int64_t>(std::time(nullptr)) + offset;
  }

  // A content manifest for `request`: its signature line first, then the body.
  std::string Content(const std::string& body, std::int64_t signed_at,
                      const std::string& request = "p1", std::int64_t valid_for = 3 * kDay) const {
    return Line(body, delivery::ManifestKind::kContent, signed_at, request, valid_for) + body;
  }
  // The signature of an update manifest, served apart.
  std::string Update(const std::string& manifest, std::int64_t signed_at,
                     std::int64_t valid_for = 3 * kDay) const {
    return Line(manifest, delivery::ManifestKind::kUpdate, signed_at, "update", valid_for);
  }
  std::string PublicKeyText() const {
    return delivery::KeyText(public_key_.data(), public_key_.size()) + "\n";
  }

 private:
  std::string Line(const std::string& bytes, delivery::ManifestKind kind, std::int64_t signed_at,
                   const std::string& request, std::int64_t valid_for) const {
    delivery::ManifestSignature signature;
    signature.signed_at = signed_at;
    signature.valid_until = signed_at + valid_for;
    signature.request = request;
    return delivery::SignatureLine(delivery::SignManifest(bytes, kind, secret_key_, signature)) +
           "\r\n";
  }

  delivery::PublicKey public_key_{};
  delivery::SecretKey secret_key_{};
};

// The environment of an installation: the publisher key setting and the
// user's state folder, both of the test's own.
class PublisherSettings {
 public:
  PublisherSettings() { ::setenv("XDG_STATE_HOME", config_.File("state").c_str(), 1); }
  ~PublisherSettings() {
    ::unsetenv("VANTO_PUBLISHER_KEY_FILE");
    ::unsetenv("XDG_STATE_HOME");
  }
  PublisherSettings(const PublisherSettings&) = delete;
  PublisherSettings& operator=(const PublisherSettings&) = delete;

  // The key setting names `name` in the test's configuration folder.
  void NameKeyFile(const std::string& name) {
    ::setenv("VANTO_PUBLISHER_KEY_FILE", config_.File(name).c_str(), 1);
  }
  TempFolder& config() { return config_; }

 private:
  TempFolder config_;
};

class ConfiguredPublisher : public TestPublisher, public PublisherSettings {
 public:
  ConfiguredPublisher() {
    config().Write("publisher-key", PublicKeyText());
    ::chmod(config().File("publisher-key").c_str(), 0644);  // whatever the umask
    NameKeyFile("publisher-key");
  }
};

}  // namespace vanto::testing
