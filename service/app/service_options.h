// The command line of vanto-service:
//   vanto-service [--host ADDR] [--port N] [--root DIR] [--media DIR] [--db FILE]
//                 [--threads N] [--updater NAME] [--font FONT] [--quiet]
//                 [--signing-key FILE] [--valid-days N]
//                 [--header-timeout SECONDS] [--per-address N]
//   vanto-service adduser NAME PASSWORD [--uid N] [--db FILE]
//   vanto-service keygen SECRET_FILE PUBLIC_FILE
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "service/app/http_service.h"

namespace vanto::service {

struct AddUserCommand {
  std::string name;
  std::string password;
  int uid = 0;
};

struct KeygenCommand {
  std::string secret_file;
  std::string public_file;
};

struct ServiceOptions {
  ServiceConfig config;
  std::optional<AddUserCommand> add_user;
  std::optional<KeygenCommand> keygen;
};

// nullopt and a message in `error` on a bad command line.
std::optional<ServiceOptions> ParseServiceOptions(const std::vector<std::string>& args,
                                                  std::string& error);

// Names and passwords the course host can send: printable ASCII without the
// characters that split its requests or its "name+password" argument.
bool IsSendableCredential(const std::string& text, size_t max_bytes);

extern const char* const kServiceUsage;

}  // namespace vanto::service
