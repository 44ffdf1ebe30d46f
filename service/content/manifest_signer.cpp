#include "service/content/manifest_signer.h"

#include <fcntl.h>
#include <unistd.h>

#include <ctime>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vanto::service {
namespace {

using delivery::ManifestKind;

constexpr std::string_view kUpdateQuery = "update";
constexpr std::string_view kUpdateSignatureQuery = "update&signature";

void WriteNewFile(const std::filesystem::path& path, const std::string& text, mode_t mode) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) throw std::runtime_error("cannot create " + path.string() + " (does it exist?)");
  const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  if (::close(fd) != 0 || !written) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

ManifestSigner::ManifestSigner(const std::filesystem::path& secret_key_file,
                               std::int64_t valid_days, Clock clock)
    : valid_seconds_(valid_days * 24 * 60 * 60), clock_(clock ? std::move(clock) : [] {
        return static_cast<std::int64_t>(std::time(nullptr));
      }) {
  std::ifstream in(secret_key_file);
  std::ostringstream text;
  text << in.rdbuf();
  const auto key = delivery::ParseSecretKey(text.str());
  if (!in || !key) throw std::runtime_error("no signing key in " + secret_key_file.string());
  key_ = *key;
}

ScriptReply ManifestSigner::Answer(std::string_view raw_query, const Script& script) const {
  const bool signature_only = raw_query == kUpdateSignatureQuery;
  ScriptReply reply = script(signature_only ? kUpdateQuery : raw_query);
  if (reply.status != 200) return reply;
  if (signature_only) {
    reply.body = Line(reply.body, ManifestKind::kUpdate, kUpdateQuery);
  } else if (raw_query != kUpdateQuery) {
    reply.body = Line(reply.body, ManifestKind::kContent, raw_query) + reply.body;
  }
  return reply;
}

std::string ManifestSigner::Line(std::string_view bytes, ManifestKind kind,
                                 std::string_view request) const {
  delivery::ManifestSignature signature;
  signature.signed_at = clock_();
  signature.valid_until = signature.signed_at + valid_seconds_;
  signature.request = std::string(request);
  return delivery::SignatureLine(delivery::SignManifest(bytes, kind, key_, std::move(signature))) +
         "\r\n";
}

void WriteKeyPair(const std::filesystem::path& secret_file,
                  const std::filesystem::path& public_file) {
  delivery::PublicKey public_key{};
  delivery::SecretKey secret_key{};
  if (!delivery::MakeKeyPair(public_key, secret_key))
    throw std::runtime_error("libsodium cannot start");
  WriteNewFile(secret_file, delivery::KeyText(secret_key.data(), secret_key.size()) + "\n", 0600);
  WriteNewFile(public_file, delivery::KeyText(public_key.data(), public_key.size()) + "\n", 0644);
}

}  // namespace vanto::service
