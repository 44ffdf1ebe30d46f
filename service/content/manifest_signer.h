// Signs what the content script serves with the publisher's Ed25519 key, so
// that hosts and updaters configured with the public key run only what the
// publisher signed, for the request they sent, while it is valid. Nothing
// else in a manifest changes:
//   - a content manifest gets its signature as one extra first line
//     ("#signed ..."), which hosts that do not verify read as a comment; first,
//     so that the run still ends on the manifest's own last line;
//   - the update manifest is served unchanged (an updater reads every line as
//     a file); "?update&signature" answers with its signature line alone.
// Each manifest is signed when it is served: valid from the time of serving
// for the publisher's validity period, for the request it answers (the query
// exactly as it arrived; "update" for the update manifest's signature).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

#include "delivery/signature/manifest_signature.h"
#include "service/http/script_reply.h"

namespace vanto::service {

class ManifestSigner {
 public:
  using Clock = std::function<std::int64_t()>;  // seconds since the epoch
  using Script = std::function<ScriptReply(std::string_view raw_query)>;

  static constexpr std::int64_t kDefaultValidDays = 3;

  // Reads the secret key file written by WriteKeyPair; throws
  // std::runtime_error when it holds no key.
  explicit ManifestSigner(const std::filesystem::path& secret_key_file,
                          std::int64_t valid_days = kDefaultValidDays, Clock clock = nullptr);

  // The script's reply to raw_query, signed as above; error replies pass
  // unchanged.
  ScriptReply Answer(std::string_view raw_query, const Script& script) const;

 private:
  std::string Line(std::string_view bytes, delivery::ManifestKind kind,
                   std::string_view request) const;

  delivery::SecretKey key_{};
  std::int64_t valid_seconds_;
  Clock clock_;
};

// Makes a key pair: the secret key (readable by its owner only) and the
// public key, each as one line of hexadecimal digits. Refuses to replace an
// existing file; throws std::runtime_error on failure.
void WriteKeyPair(const std::filesystem::path& secret_file,
                  const std::filesystem::path& public_file);

}  // namespace vanto::service
