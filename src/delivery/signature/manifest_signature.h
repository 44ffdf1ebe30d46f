// Ed25519 signatures of manifests (libsodium).
//
// A signature covers the manifest's bytes together with what kind of
// manifest it is (content or update), the signing key's id, the time of
// signing, the end of its validity and the request it answers (the query as
// the program sent it, without '?'), so that none of them can be swapped for
// another without breaking it. It travels as one text line:
//   #signed ed25519 <key id> <signed at> <valid until> <request> <signature>
// with the key id as 16 hexadecimal digits, the two times in seconds since
// the epoch, the request with every byte outside '!' .. '~' and every '%',
// '<' and '>' written as '%' and two upper-case hexadecimal digits, and the
// signature as 128 hexadecimal digits. In a content manifest this line comes
// first and covers every byte after its line end; hosts that do not verify
// read it as a comment (its command word "signed" is none of the commands).
// The update manifest has no comment lines, so its signature is fetched
// apart and covers the whole manifest.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vanto::delivery {

using PublicKey = std::array<unsigned char, 32>;
using SecretKey = std::array<unsigned char, 64>;

enum class ManifestKind { kContent, kUpdate };

struct ManifestSignature {
  std::string key_id;            // KeyId of the signing key
  std::int64_t signed_at = 0;    // seconds since the epoch; valid from then
  std::int64_t valid_until = 0;  // seconds since the epoch; valid until then
  std::string request;           // the query the manifest answers (not empty)
  std::array<unsigned char, 64> signature{};
};

// A content manifest split into its first line (the signature line, without
// its line end) and the bytes it covers.
struct SignedContent {
  std::string_view signature_line;
  std::string_view body;
};

// Makes a new key pair; false when libsodium cannot start.
bool MakeKeyPair(PublicKey& public_key, SecretKey& secret_key);

// Keys as text: lower-case hexadecimal, one line. Parsing ignores blanks and
// line ends around the digits and refuses anything else.
std::string KeyText(const unsigned char* bytes, std::size_t size);
std::optional<PublicKey> ParsePublicKey(std::string_view text);
std::optional<SecretKey> ParseSecretKey(std::string_view text);

// 16 hexadecimal digits naming a public key.
std::string KeyId(const PublicKey& key);

// `signature`'s own fields (all but the signature bytes and the key id,
// which are filled in) say what the manifest is signed for.
ManifestSignature SignManifest(std::string_view bytes, ManifestKind kind, const SecretKey& key,
                               ManifestSignature signature);
bool SignatureMatches(std::string_view bytes, ManifestKind kind, const ManifestSignature& signature,
                      const PublicKey& key);

std::string SignatureLine(const ManifestSignature& signature);  // without a line end
// Nothing for any other spelling than SignatureLine's own.
std::optional<ManifestSignature> ParseSignatureLine(std::string_view line);
// A signature line as services wrote it before it named its request and
// validity ("#signed ed25519 <key id> <time> <signature>").
bool IsOlderSignatureLine(std::string_view line);

// The first line of `text` and the rest; nothing when there is no line end.
std::optional<SignedContent> SplitSignedContent(std::string_view text);

}  // namespace vanto::delivery
