#include "delivery/manifest_verifier.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "delivery/file_digest.h"
#include "delivery/manifest_file.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "platform/system_config.h"
#include "platform/user_state.h"

namespace vanto::delivery {
namespace {

void Refuse(const char* why) {
  std::fprintf(stderr, "manifest refused: %s\n", why);
}

// Name of the user state file that keeps the signing time of the last
// accepted manifest of one kind under one key.
std::string LastAcceptedName(ManifestKind kind, const std::string& key_id) {
  return std::string(kind == ManifestKind::kContent ? "signed-content-" : "signed-update-") +
         key_id;
}

std::int64_t LastAccepted(const std::string& name) {
  const std::optional<std::string> text = platform::ReadUserState(name);
  std::int64_t time = 0;
  if (text) std::from_chars(text->data(), text->data() + text->size(), time);
  return time;
}

}  // namespace

std::optional<ManifestVerifier> ManifestVerifier::Configured(ManifestKind kind) {
  const std::optional<std::string> text =
      platform::ReadSystemConfig("publisher-key", "VANTO_PUBLISHER_KEY_FILE");
  if (!text) return std::nullopt;
  const std::optional<PublicKey> key = ParsePublicKey(*text);
  if (!key) std::fprintf(stderr, "publisher key unreadable: every manifest is refused\n");
  return ManifestVerifier(key, kind);
}

ManifestVerifier::ManifestVerifier(std::optional<PublicKey> key, ManifestKind kind)
    : key_(key), kind_(kind) {}

std::optional<std::string_view> ManifestVerifier::AcceptContent(std::string_view text) {
  // A reply of one line has no signature line (and nothing it would cover).
  const SignedContent parts = SplitSignedContent(text).value_or(SignedContent{{}, text});
  if (!Accept(parts.body, parts.signature_line)) return std::nullopt;
  return parts.body;
}

bool ManifestVerifier::AcceptUpdate(std::string_view manifest, std::string_view signature_text) {
  const std::optional<SignedContent> parts = SplitSignedContent(signature_text);
  return Accept(manifest, parts ? parts->signature_line : signature_text);
}

bool ManifestVerifier::Accept(std::string_view bytes, std::string_view signature_line) {
  const std::optional<ManifestSignature> signature = ParseSignatureLine(signature_line);
  if (!key_) return Refuse("no usable publisher key"), false;
  if (!signature) return Refuse("not signed"), false;
  if (!SignatureMatches(bytes, kind_, *signature, *key_)) return Refuse("bad signature"), false;
  const std::string name = LastAcceptedName(kind_, signature->key_id);
  const std::int64_t last = LastAccepted(name);
  if (signature->signed_at < last) return Refuse("signed before the last accepted one"), false;
  if (signature->signed_at > last &&
      !platform::WriteUserState(name, std::to_string(signature->signed_at))) {
    std::fprintf(stderr, "cannot keep the manifest's signing time in the user state folder\n");
  }
  return true;
}

std::optional<std::vector<std::string>> ReadSignedManifestLines(const std::string& host_path,
                                                                ManifestVerifier& verifier,
                                                                platform::MessageBoxes& messages) {
  const std::optional<std::string> text = ReadManifestText(host_path, messages);
  if (!text) return std::nullopt;
  const std::optional<std::string_view> body = verifier.AcceptContent(*text);
  if (!body) return std::nullopt;
  return SplitManifestText(*body, ManifestRules::kContent);
}

bool DownloadMatchesEntry(const char* stamp, std::string_view host_path) {
  const char* bar = stamp ? std::strchr(stamp, '|') : nullptr;
  if (bar) return FileMd5Matches(bar + 1, host_path);
  std::error_code error;
  return std::filesystem::file_size(platform::NativePath(host_path), error) == 0 && !error;
}

}  // namespace vanto::delivery
