#include "service/app/service_options.h"

#include "service/http/query_string.h"

namespace vanto::service {

const char* const kServiceUsage =
    "usage: vanto-service [--host ADDR] [--port N] [--root DIR] [--media DIR] [--db FILE]\n"
    "                     [--threads N] [--updater NAME] [--font FONT] [--quiet]\n"
    "                     [--signing-key FILE] [--valid-days N]\n"
    "                     [--header-timeout SECONDS] [--per-address N]\n"
    "       vanto-service adduser NAME PASSWORD [--uid N] [--db FILE]\n"
    "       vanto-service keygen SECRET_FILE PUBLIC_FILE\n";

bool IsSendableCredential(const std::string& text, size_t max_bytes) {
  if (text.empty() || text.size() > max_bytes) return false;
  for (char c : text) {
    if (c <= ' ' || c > '~') return false;
    if (std::string_view("+|&=#%?<").find(c) != std::string_view::npos) return false;
  }
  return true;
}

std::optional<ServiceOptions> ParseServiceOptions(const std::vector<std::string>& args,
                                                  std::string& error) {
  ServiceOptions options;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    auto number = [&](int low, int high) -> std::optional<int> {
      auto text = value();
      auto n = text ? ParseInt32(*text) : std::nullopt;
      if (!n || *n < low || *n > high) return std::nullopt;
      return n;
    };
    std::optional<int> n;
    std::optional<std::string> text;
    if (arg == "--quiet") {
      options.config.log = false;
    } else if (arg == "--port") {
      if (!(n = number(0, 65535))) return error = "--port needs 0..65535", std::nullopt;
      options.config.port = *n;
    } else if (arg == "--threads") {
      if (!(n = number(1, 256))) return error = "--threads needs 1..256", std::nullopt;
      options.config.threads = *n;
    } else if (arg == "--header-timeout") {
      if (!(n = number(1, 3600))) return error = "--header-timeout needs 1..3600", std::nullopt;
      options.config.gate.head_time = std::chrono::seconds(*n);
    } else if (arg == "--valid-days") {
      if (!(n = number(1, 366))) return error = "--valid-days needs 1..366", std::nullopt;
      options.config.content.valid_days = *n;
    } else if (arg == "--per-address") {
      if (!(n = number(0, 1000000))) return error = "--per-address needs 0..1000000", std::nullopt;
      options.config.gate.per_address = *n;
    } else if (arg == "--uid") {
      if (!(n = number(1, 2147483647)))
        return error = "--uid needs a positive number", std::nullopt;
      positional.push_back("--uid=" + std::to_string(*n));
    } else if (arg == "--host" || arg == "--root" || arg == "--media" || arg == "--db" ||
               arg == "--updater" || arg == "--font" || arg == "--signing-key") {
      if (!(text = value())) return error = arg + " needs a value", std::nullopt;
      if (arg == "--host") options.config.host = *text;
      if (arg == "--root") options.config.content.root = *text;
      if (arg == "--media") options.config.content.media = *text;
      if (arg == "--db") options.config.database = *text;
      if (arg == "--updater") options.config.content.updater_name = *text;
      if (arg == "--font") options.config.content.font = *text;
      if (arg == "--signing-key") options.config.content.signing_key = *text;
    } else if (arg.starts_with("--")) {
      return error = "unknown option " + arg, std::nullopt;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.empty()) {
    if (options.config.content.root.empty()) options.config.content.root = "build/course";
    return options;
  }
  if (positional[0] == "keygen" && positional.size() == 3) {
    options.keygen = KeygenCommand{positional[1], positional[2]};
    return options;
  }
  if (positional[0] != "adduser" || positional.size() < 3 || positional.size() > 4)
    return error = "unexpected arguments", std::nullopt;
  AddUserCommand add{positional[1], positional[2], 0};
  if (positional.size() == 4) {
    if (!positional[3].starts_with("--uid=")) return error = "unexpected arguments", std::nullopt;
    add.uid = *ParseInt32(positional[3].substr(6));
  }
  if (!IsSendableCredential(add.name, 63) || !IsSendableCredential(add.password, 31))
    return error =
               "NAME (1-63) and PASSWORD (1-31) must be printable ASCII without spaces or + | & = "
               "# % ? <",
           std::nullopt;
  options.add_user = add;
  return options;
}

}  // namespace vanto::service
