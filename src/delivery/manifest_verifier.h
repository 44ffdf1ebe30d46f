// Verification of signed manifests, for installations whose publisher signs.
//
// The publisher's public key is configured outside the program folder (the
// system configuration file "publisher-key", or the file named by
// VANTO_PUBLISHER_KEY_FILE): no download can change it. Without it nothing is
// verified. With it, a manifest counts only when it carries a valid signature
// by that key that is not older than the last manifest of its kind accepted
// under that key; the time of the last accepted one is kept in the user's
// state folder, which no download can write either. A key file that exists
// but does not hold a key refuses every manifest: the installation meant to
// verify, and must not quietly stop.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "delivery/signature/manifest_signature.h"
#include "platform/message_box.h"

namespace vanto::delivery {

class ManifestVerifier {
 public:
  // A verifier for the configured publisher key; nothing when none is configured.
  static std::optional<ManifestVerifier> Configured(ManifestKind kind);

  // `key` nothing: a key was configured but could not be read.
  ManifestVerifier(std::optional<PublicKey> key, ManifestKind kind);

  // A content manifest whose first line is its signature: the bytes the
  // signature covers, or nothing when the manifest is refused.
  std::optional<std::string_view> AcceptContent(std::string_view text);

  // An update manifest and its signature line (fetched apart).
  bool AcceptUpdate(std::string_view manifest, std::string_view signature_text);

 private:
  bool Accept(std::string_view bytes, std::string_view signature_line);

  std::optional<PublicKey> key_;
  ManifestKind kind_;
};

// The lines of a signed content manifest at host_path (file errors are
// reported), by the same rules as an unsigned one; nothing when it is
// unreadable, invalid or refused by `verifier`.
std::optional<std::vector<std::string>> ReadSignedManifestLines(const std::string& host_path,
                                                                ManifestVerifier& verifier,
                                                                platform::MessageBoxes& messages);

// Whether a file downloaded for a manifest entry is the file the signed entry
// names: it matches the digest after the stamp's '|', or, when the entry
// names no digest, it is empty (anything else could be anyone's file).
bool DownloadMatchesEntry(const char* stamp, std::string_view host_path);

}  // namespace vanto::delivery
