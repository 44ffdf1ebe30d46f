#include "delivery/manifest_verifier.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "delivery/file_digest.h"
#include "delivery/manifest_file.h"
#include "platform/codepage.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "platform/system_config.h"
#include "platform/user_state.h"

namespace vanto::delivery {
namespace {

bool Refuse(const char* why) {
  std::fprintf(stderr, "manifest refused: %s\n", why);
  return false;
}

// Name of the user state file that keeps the signing time of the last
// accepted manifest of one kind under one key.
std::string LastAcceptedName(ManifestKind kind, const std::string& key_id) {
  return std::string(kind == ManifestKind::kContent ? "signed-content-" : "signed-update-") +
         key_id;
}

std::string KeyProblem(const std::string& path, const std::string& problem) {
  return "The publisher key setting " + path + " cannot be used: " + problem +
         ". No course content or update is accepted until this is put right.";
}

std::string StateProblem() {
  const std::optional<std::string> folder = platform::UserStateFolder();
  return "Signed course content cannot be accepted: its state cannot be kept in " +
         (folder ? *folder : std::string("$XDG_STATE_HOME/vanto or $HOME/.local/state/vanto")) +
         ". No course content or update is accepted until this is put right.";
}

}  // namespace

std::optional<ManifestVerifier> ManifestVerifier::Configured(ManifestKind kind) {
  const std::optional<platform::SystemConfig> config =
      platform::ReadSystemConfig("publisher-key", "VANTO_PUBLISHER_KEY_FILE");
  if (!config) return std::nullopt;
  const std::optional<PublicKey> key = config->text ? ParsePublicKey(*config->text) : std::nullopt;
  if (key) return ManifestVerifier(key, kind);
  const std::string problem = config->problem.empty() ? "it holds no key" : config->problem;
  std::fprintf(stderr, "publisher key %s: %s; every manifest is refused\n", config->path.c_str(),
               problem.c_str());
  return ManifestVerifier(std::nullopt, kind, KeyProblem(config->path, problem));
}

ManifestVerifier::ManifestVerifier(std::optional<PublicKey> key, ManifestKind kind,
                                   std::string problem)
    : key_(key), kind_(kind), problem_(std::move(problem)) {}

std::optional<std::string_view> ManifestVerifier::AcceptContent(std::string_view text,
                                                                std::string_view request) {
  // A reply of one line has no signature line (and nothing it would cover).
  const SignedContent parts = SplitSignedContent(text).value_or(SignedContent{{}, text});
  if (!Accept(parts.body, parts.signature_line, request)) return std::nullopt;
  return parts.body;
}

bool ManifestVerifier::AcceptUpdate(std::string_view manifest, std::string_view signature_text,
                                    std::string_view request) {
  const std::optional<SignedContent> parts = SplitSignedContent(signature_text);
  return Accept(manifest, parts ? parts->signature_line : signature_text, request);
}

std::optional<std::string> ManifestVerifier::TakeSettingsProblem() {
  if (!problem_pending_) return std::nullopt;
  problem_pending_ = false;
  problem_told_ = true;
  return problem_;
}

bool ManifestVerifier::RefuseForSettings(std::string problem) {
  problem_ = std::move(problem);
  problem_pending_ = !problem_told_;
  return Refuse("the settings for signed manifests cannot be used");
}

bool ManifestVerifier::Accept(std::string_view bytes, std::string_view signature_line,
                              std::string_view request) {
  if (!key_) return RefuseForSettings(problem_);
  const std::optional<ManifestSignature> signature = ParseSignatureLine(signature_line);
  if (!signature && IsOlderSignatureLine(signature_line)) {
    return Refuse("its signature names no request and no validity (upgrade the service)");
  }
  if (!signature) return Refuse("not signed");
  if (!SignatureMatches(bytes, kind_, *signature, *key_)) return Refuse("bad signature");
  if (signature->request != request) return Refuse("signed for another request");
  const std::int64_t now = std::time(nullptr);
  if (now < signature->signed_at - kClockTolerance ||
      now > signature->valid_until + kClockTolerance) {
    return Refuse("outside its validity (or the computer's clock is wrong)");
  }
  return KeepSigningTime(*signature);
}

// No rollback: a manifest signed before the last one accepted is refused.
bool ManifestVerifier::KeepSigningTime(const ManifestSignature& signature) {
  const std::string name = LastAcceptedName(kind_, signature.key_id);
  const std::optional<std::string> text = platform::ReadUserState(name);
  if (!text) return RefuseForSettings(StateProblem());
  std::int64_t last = 0;
  std::from_chars(text->data(), text->data() + text->size(), last);
  if (signature.signed_at < last) return Refuse("signed before the last accepted one");
  if (signature.signed_at > last &&
      !platform::WriteUserState(name, std::to_string(signature.signed_at))) {
    return RefuseForSettings(StateProblem());
  }
  return true;
}

std::optional<std::vector<std::string>> ReadSignedManifestLines(const std::string& host_path,
                                                                std::string_view request,
                                                                ManifestVerifier& verifier,
                                                                platform::MessageBoxes& messages) {
  const std::optional<std::string> text = ReadManifestText(host_path, messages);
  if (!text) return std::nullopt;
  const std::optional<std::string_view> body = verifier.AcceptContent(*text, request);
  if (!body) {
    TellSettingsProblem(verifier, messages);
    return std::nullopt;
  }
  return SplitManifestText(*body, ManifestRules::kContent);
}

void TellSettingsProblem(ManifestVerifier& verifier, platform::MessageBoxes& messages) {
  if (const std::optional<std::string> problem = verifier.TakeSettingsProblem()) {
    messages.ShowSettingsProblem(platform::Utf8ToGbk(*problem));
  }
}

bool DownloadMatchesEntry(const char* stamp, std::string_view host_path) {
  const char* bar = stamp ? std::strchr(stamp, '|') : nullptr;
  if (bar) return FileMd5Matches(bar + 1, host_path);
  std::error_code error;
  return std::filesystem::file_size(platform::NativePath(host_path), error) == 0 && !error;
}

}  // namespace vanto::delivery
