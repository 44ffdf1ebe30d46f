// Verification of signed manifests, for installations whose publisher signs.
//
// The publisher's public key is configured outside the program folder (the
// system configuration file "publisher-key", or the file named by
// VANTO_PUBLISHER_KEY_FILE): no download can change it. Without it nothing is
// verified. With it, a manifest counts only when it carries a valid signature
// by that key, made for the very request the program sent, within its
// validity (give or take kClockTolerance for a computer clock that is a
// little wrong), and not older than the last manifest of its kind accepted
// under that key. The time of the last accepted one is kept in the user's
// state folder, which no download can write either.
//
// Settings that cannot be trusted fail closed: a key setting that names a
// missing, unreadable or keyless file, a link to nothing, or a file or folder
// others can change, and a state folder that cannot be used, all refuse every
// manifest, and say why once (TakeSettingsProblem).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "delivery/signature/manifest_signature.h"
#include "platform/message_box.h"

namespace vanto::delivery {

class ManifestVerifier {
 public:
  static constexpr std::int64_t kClockTolerance = 24 * 60 * 60;  // seconds

  // A verifier for the configured publisher key; nothing when none is configured.
  static std::optional<ManifestVerifier> Configured(ManifestKind kind);

  // `key` nothing: a key was configured but cannot be used, because of
  // `problem` (the text shown to the user).
  ManifestVerifier(std::optional<PublicKey> key, ManifestKind kind, std::string problem = {});

  // A content manifest whose first line is its signature, fetched for
  // `request` (the query as sent, without '?'): the bytes the signature
  // covers, or nothing when the manifest is refused.
  std::optional<std::string_view> AcceptContent(std::string_view text, std::string_view request);

  // An update manifest and its signature line (fetched apart).
  bool AcceptUpdate(std::string_view manifest, std::string_view signature_text,
                    std::string_view request);

  // After a manifest was refused because of the settings (key or state
  // folder): the text that says why, once; nothing otherwise.
  std::optional<std::string> TakeSettingsProblem();

 private:
  bool Accept(std::string_view bytes, std::string_view signature_line, std::string_view request);
  bool KeepSigningTime(const ManifestSignature& signature);
  bool RefuseForSettings(std::string problem);

  std::optional<PublicKey> key_;
  ManifestKind kind_;
  std::string problem_;  // why the settings refuse every manifest
  bool problem_told_ = false;
  bool problem_pending_ = false;
};

// The lines of a signed content manifest at host_path fetched for `request`
// (file errors and settings problems are reported), by the same rules as an
// unsigned one; nothing when it is unreadable, invalid or refused.
std::optional<std::vector<std::string>> ReadSignedManifestLines(const std::string& host_path,
                                                                std::string_view request,
                                                                ManifestVerifier& verifier,
                                                                platform::MessageBoxes& messages);

// Shows the settings problem behind a refusal, the first time only.
void TellSettingsProblem(ManifestVerifier& verifier, platform::MessageBoxes& messages);

// Whether a file downloaded for a manifest entry is the file the signed entry
// names: it matches the digest after the stamp's '|', or, when the entry
// names no digest, it is empty (anything else could be anyone's file).
bool DownloadMatchesEntry(const char* stamp, std::string_view host_path);

}  // namespace vanto::delivery
