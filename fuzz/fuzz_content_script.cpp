// Queries of the content script ("/v2.php?..."), signed as a publisher signs:
// whatever the query, a reply is an error page or a manifest that hosts can
// read, every file it names stays inside the program folder, and its
// signature names the query exactly as it came.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "delivery/entry_path.h"
#include "delivery/manifest_file.h"
#include "delivery/manifest_line.h"
#include "delivery/signature/manifest_signature.h"
#include "fuzz_temp_file.h"
#include "service/content/content_script.h"
#include "service/content/manifest_signer.h"

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

// A course of three characters whose media all exist (nothing is made), a
// story, and an update tree; and a signing key.
vanto::service::ContentConfig Course(const fs::path& folder) {
  const fs::path root = folder / "course";
  Write(root / "list.txt",
        "\xE4\xBA\xBA\tren\tw\ts\n\xE5\xA4\xA7\tda\tw\ts\n\xE5\xB0\x8F\txiao\tw\ts\n");
  for (int i = 0; i < 3; ++i) {
    const std::string n = std::to_string(i);
    for (const std::string& name : {"ss/" + n + ".mp3", "ss/" + n + "w.mp3", "ss/" + n + "s.mp3",
                                    "bh/" + n + ".swf", "tp/" + n + ".swf", "pz/" + n + ".jpg"}) {
      Write(root / name, name);
    }
  }
  Write(root / "gs0/0.swf", "story");
  Write(root / "Vanto.swf", "movie");
  Write(root / "update/VERSION", "20130101\n");
  Write(root / "update/Vanto.ex_", "program");
  const fs::path secret = folder / "publisher.secret";
  if (!fs::exists(secret)) vanto::service::WriteKeyPair(secret, folder / "publisher.key");
  vanto::service::ContentConfig config{root};
  config.signing_key = secret;
  return config;
}

void CheckManifest(std::string_view query, const std::string& body) {
  using namespace vanto::delivery;
  const auto parts = SplitSignedContent(body);
  if (!parts) std::abort();
  const auto signature = ParseSignatureLine(parts->signature_line);
  if (!signature || signature->request != query) std::abort();
  const auto lines = SplitManifestText(parts->body, ManifestRules::kContent);
  if (!lines) std::abort();
  for (const std::string& line : *lines) {
    if (IsCommandLine(line)) continue;
    if (!IsSafeRelativePath(ParseEntryLine(line).path)) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FuzzTempFolder folder("content");
  static vanto::service::ContentScript script(Course(folder.path()));
  const std::string_view query(reinterpret_cast<const char*>(data), size);
  if (query.starts_with("update")) return 0;  // the update tree is read whole, not by parameters
  const vanto::service::ScriptReply reply = script.Answer(query);
  if (reply.status != 200) {
    if (reply.body.find('<') == std::string::npos) std::abort();
    return 0;
  }
  CheckManifest(query, reply.body);
  return 0;
}
