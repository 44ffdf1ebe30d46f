#include "delivery/signature/manifest_signature.h"

#include <sodium.h>

#include <charconv>
#include <vector>

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

bool Unescaped(unsigned char c) {
  return c > ' ' && c <= '~' && c != '%' && c != '<' && c != '>';
}

// The request as it is written in the line: no blank, no line end, and
// nothing a host takes for an error page.
std::string EscapedRequest(std::string_view request) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (const char c : request) {
    const auto byte = static_cast<unsigned char>(c);
    if (Unescaped(byte)) {
      text += c;
    } else {
      text += '%';
      text += kDigits[byte >> 4];
      text += kDigits[byte & 0x0F];
    }
  }
  return text;
}

std::optional<std::string> UnescapedRequest(std::string_view text) {
  std::string request;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      request += text[i];
      continue;
    }
    unsigned char byte = 0;
    if (i + 2 >= text.size()) return std::nullopt;
    if (!ParseHex(text.substr(i + 1, 2), &byte, 1)) return std::nullopt;
    request += static_cast<char>(byte);
    i += 2;
  }
  // One spelling only: upper-case digits, and only bytes that need them.
  if (request.empty() || EscapedRequest(request) != text) return std::nullopt;
  return request;
}

// The bytes the signature is made over. The first line names this form, so
// that no signature made over another form can ever match it.
std::string SignedMessage(std::string_view bytes, ManifestKind kind,
                          const ManifestSignature& signature) {
  std::string message = "vanto manifest signature, bound\n";
  message += kind == ManifestKind::kContent ? "content\n" : "update\n";
  message += signature.key_id + "\n";
  message += std::to_string(signature.signed_at) + "\n";
  message += std::to_string(signature.valid_until) + "\n";
  message += EscapedRequest(signature.request) + "\n";
  message += bytes;
  return message;
}

// A time as the line writes it: digits, no sign, no leading zero.
std::optional<std::int64_t> ParseTime(std::string_view text) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos ||
      (text.size() > 1 && text[0] == '0')) {
    return std::nullopt;
  }
  std::int64_t time = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), time);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return time;
}

// The line's fields after the prefix, split at single spaces.
std::vector<std::string_view> Fields(std::string_view text) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t space = text.find(' ', start);
    fields.push_back(text.substr(start, space - start));
    if (space == std::string_view::npos) return fields;
    start = space + 1;
  }
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
                               ManifestSignature signature) {
  PublicKey public_key{};
  crypto_sign_ed25519_sk_to_pk(public_key.data(), key.data());
  signature.key_id = KeyId(public_key);
  const std::string message = SignedMessage(bytes, kind, signature);
  crypto_sign_detached(signature.signature.data(), nullptr,
                       reinterpret_cast<const unsigned char*>(message.data()), message.size(),
                       key.data());
  return signature;
}

bool SignatureMatches(std::string_view bytes, ManifestKind kind, const ManifestSignature& signature,
                      const PublicKey& key) {
  if (!SodiumReady() || signature.key_id != KeyId(key)) return false;
  const std::string message = SignedMessage(bytes, kind, signature);
  return crypto_sign_verify_detached(signature.signature.data(),
                                     reinterpret_cast<const unsigned char*>(message.data()),
                                     message.size(), key.data()) == 0;
}

std::string SignatureLine(const ManifestSignature& signature) {
  return std::string(kLinePrefix) + signature.key_id + " " + std::to_string(signature.signed_at) +
         " " + std::to_string(signature.valid_until) + " " + EscapedRequest(signature.request) +
         " " + KeyText(signature.signature.data(), signature.signature.size());
}

std::optional<ManifestSignature> ParseSignatureLine(std::string_view line) {
  if (!line.starts_with(kLinePrefix)) return std::nullopt;
  const std::vector<std::string_view> fields = Fields(line.substr(kLinePrefix.size()));
  if (fields.size() != 5) return std::nullopt;
  ManifestSignature signature;
  const std::string_view key_id = fields[0];
  const std::optional<std::int64_t> signed_at = ParseTime(fields[1]);
  const std::optional<std::int64_t> valid_until = ParseTime(fields[2]);
  std::optional<std::string> request = UnescapedRequest(fields[3]);
  const std::string_view bytes = fields[4];
  // One spelling only: lower-case digits, the times without sign or leading zeros.
  if (key_id.size() != 2 * kKeyIdBytes || !IsLowerHex(key_id) || !IsLowerHex(bytes) || !signed_at ||
      !valid_until || *valid_until < *signed_at || !request ||
      !ParseHex(bytes, signature.signature.data(), signature.signature.size())) {
    return std::nullopt;
  }
  signature.key_id = std::string(key_id);
  signature.signed_at = *signed_at;
  signature.valid_until = *valid_until;
  signature.request = std::move(*request);
  return signature;
}

bool IsOlderSignatureLine(std::string_view line) {
  return line.starts_with(kLinePrefix) && Fields(line.substr(kLinePrefix.size())).size() == 3;
}

std::optional<SignedContent> SplitSignedContent(std::string_view text) {
  const std::size_t end = text.find('\n');
  if (end == std::string_view::npos) return std::nullopt;
  std::string_view line = text.substr(0, end);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return SignedContent{line, text.substr(end + 1)};
}

}  // namespace vanto::delivery
