// Queries of the account script ("/v2/vtuser.php?..."): whatever the query,
// the reply is an error page (which holds '<', so the host ignores it) or an
// account reply the host can read. Parent logins are left out: each costs a
// password hash by design, and the account tests cover them.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "fuzz_temp_file.h"
#include "service/accounts/account_script.h"
#include "service/accounts/account_store.h"
#include "service/http/query_string.h"

namespace {

std::string DatabaseFile() {
  return (FuzzScratchFolder() / ("vanto-fuzz-accounts-" + std::to_string(::getpid()) + ".db"))
      .string();
}

struct Accounts {
  Accounts() : file(DatabaseFile()), store(file), script(store) {}
  ~Accounts() {
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(file + suffix);
  }
  std::string file;
  vanto::service::AccountStore store;
  vanto::service::AccountScript script;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Accounts accounts;
  const std::string_view query(reinterpret_cast<const char*>(data), size);
  const auto parsed = vanto::service::QueryString::Parse(query);
  if (parsed && (parsed->Has("name") || parsed->Has("psw"))) return 0;
  const vanto::service::ScriptReply reply = accounts.script.Answer(query);
  if (reply.status != 200) {
    if (reply.body.find('<') == std::string::npos) std::abort();
    return 0;
  }
  if (reply.body.find("[user]") == std::string::npos ||
      reply.body.find("[mofa]") == std::string::npos || reply.body.find('<') != std::string::npos) {
    std::abort();
  }
  return 0;
}
