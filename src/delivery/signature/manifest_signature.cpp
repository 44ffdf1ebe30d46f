#include "delivery/signature/manifest_signature.h"

#include <sodium.h>

#include <charconv>

namespace vanto::delivery {
namespace {

constexpr std::string_view kLinePrefix = "#signed ed25519 ";
constexpr std::size_t kKeyIdBytes = 8;

bool SodiumReady() {
  return sodium_init() >= 0;  // safe to call again and from any thread
}

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsLowerHex(std::string_view text) {
  return text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// Exactly 2 * size hexadecimal digits into `out`.
bool ParseHex(std::string_view text, unsigned char* out, std::size_t size) {
  if (text.size() != 2 * size) return false;
  std::size_t written = 0;
  const char* end = nullptr;
  return sodium_hex2bin(out, size, text.data(), text.size(), nullptr, &written, &end) == 0 &&
         written == size && end == text.data() + text.size();
}

template <std::size_t N>
std::optional<std::array<unsigned char, N>> ParseKey(std::string_view text) {
  std::array<unsigned char, N> key{};
  if (!ParseHex(Trimmed(text), key.data(), key.size())) return std::nullopt;
  return key;
}

// The bytes the signature is made over.
std::string SignedMessage(std::string_view bytes, ManifestKind kind, std::string_view key_id,
                          std::int64_t signed_at) {
  std::string message = "vanto manifest signature\n";
  message += kind == ManifestKind::kContent ? "content\n" : "update\n";
  message += key_id;
  message += "\n" + std::to_string(signed_at) + "\n";
  message += bytes;
  return message;
}

}  // namespace

bool MakeKeyPair(PublicKey& public_key, SecretKey& secret_key) {
  return SodiumReady() && crypto_sign_keypair(public_key.data(), secret_key.data()) == 0;
}

std::string KeyText(const unsigned char* bytes, std::size_t size) {
  std::string text(2 * size + 1, '\0');
  sodium_bin2hex(text.data(), text.size(), bytes, size);
  text.pop_back();
  return text;
}

std::optional<PublicKey> ParsePublicKey(std::string_view text) {
  return ParseKey<32>(text);
}

std::optional<SecretKey> ParseSecretKey(std::string_view text) {
  return ParseKey<64>(text);
}

std::string KeyId(const PublicKey& key) {
  unsigned char id[kKeyIdBytes];
  crypto_generichash(id, sizeof id, key.data(), key.size(), nullptr, 0);
  return KeyText(id, sizeof id);
}

ManifestSignature SignManifest(std::string_view bytes, ManifestKind kind, const SecretKey& key,
                               std::int64_t signed_at) {
  ManifestSignature signature;
  PublicKey public_key{};
  crypto_sign_ed25519_sk_to_pk(public_key.data(), key.data());
  signature.key_id = KeyId(public_key);
  signature.signed_at = signed_at;
  const std::string message = SignedMessage(bytes, kind, signature.key_id, signed_at);
  crypto_sign_detached(signature.signature.data(), nullptr,
                       reinterpret_cast<const unsigned char*>(message.data()), message.size(),
                       key.data());
  return signature;
}

bool SignatureMatches(std::string_view bytes, ManifestKind kind, const ManifestSignature& signature,
                      const PublicKey& key) {
  if (!SodiumReady() || signature.key_id != KeyId(key)) return false;
  const std::string message = SignedMessage(bytes, kind, signature.key_id, signature.signed_at);
  return crypto_sign_verify_detached(signature.signature.data(),
                                     reinterpret_cast<const unsigned char*>(message.data()),
                                     message.size(), key.data()) == 0;
}

std::string SignatureLine(const ManifestSignature& signature) {
  return std::string(kLinePrefix) + signature.key_id + " " + std::to_string(signature.signed_at) +
         " " + KeyText(signature.signature.data(), signature.signature.size());
}

std::optional<ManifestSignature> ParseSignatureLine(std::string_view line) {
  if (!line.starts_with(kLinePrefix)) return std::nullopt;
  line.remove_prefix(kLinePrefix.size());
  ManifestSignature signature;
  const std::size_t id_end = line.find(' ');
  const std::size_t time_end = line.find(' ', id_end + 1);
  if (id_end != 2 * kKeyIdBytes || time_end == std::string_view::npos) return std::nullopt;
  // One spelling only: lower-case digits, the time without sign or leading zeros.
  const std::string_view key_id = line.substr(0, id_end);
  const std::string_view time = line.substr(id_end + 1, time_end - id_end - 1);
  const std::string_view bytes = line.substr(time_end + 1);
  if (!IsLowerHex(key_id) || !IsLowerHex(bytes) || time.empty() ||
      time.find_first_not_of("0123456789") != std::string_view::npos ||
      (time.size() > 1 && time[0] == '0')) {
    return std::nullopt;
  }
  signature.key_id = std::string(key_id);
  const auto [end, error] =
      std::from_chars(time.data(), time.data() + time.size(), signature.signed_at);
  if (error != std::errc() || end != time.data() + time.size()) return std::nullopt;
  if (!ParseHex(bytes, signature.signature.data(), signature.signature.size())) return std::nullopt;
  return signature;
}

std::optional<SignedContent> SplitSignedContent(std::string_view text) {
  const std::size_t end = text.find('\n');
  if (end == std::string_view::npos) return std::nullopt;
  std::string_view line = text.substr(0, end);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return SignedContent{line, text.substr(end + 1)};
}

}  // namespace vanto::delivery
