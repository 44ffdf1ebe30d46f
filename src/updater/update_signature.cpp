// The updater's check of the update manifest's signature.
#include "delivery/url_download.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "updater/update_engine.h"

namespace vanto::updater {

// The update manifest's signature is served apart, for the same request with
// the query key "signature" added; older updaters never ask for it. It must
// name the manifest's own request.
bool UpdateEngine::ManifestSigned(const std::string& script_url, const std::string& manifest_path) {
  const std::string signature_path = platform::JoinHostPath(working_folder_, "down.sig");
  delivery::DownloadOptions options = delivery::ReplyOptions();
  options.https_redirects_only = true;
  const bool fetched =
      delivery::DownloadUrlToFile(script_url + "&signature", signature_path, options);
  const std::optional<std::string> signature =
      fetched ? platform::ReadWholeFile(signature_path) : std::nullopt;
  const std::optional<std::string> manifest = platform::ReadWholeFile(manifest_path);
  platform::RemoveFile(signature_path);
  const std::string request = script_url.substr(script_url.find('?') + 1);
  const bool accepted =
      signature && manifest && verifier_->AcceptUpdate(*manifest, *signature, request);
  if (!accepted) delivery::TellSettingsProblem(*verifier_, messages_);
  return accepted;
}

}  // namespace vanto::updater
