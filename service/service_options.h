// The command line of vanto-service:
//   vanto-service [--host ADDR] [--port N] [--root DIR] [--db FILE]
//                 [--threads N] [--updater NAME] [--font FONT] [--quiet]
//   vanto-service adduser NAME PASSWORD [--uid N] [--db FILE]
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "service/http_service.h"

namespace vanto::service {

struct AddUserCommand {
  std::string name;
  std::string password;
  int uid = 0;
};

struct ServiceOptions {
  ServiceConfig config;
  std::optional<AddUserCommand> add_user;
};

// nullopt and a message in `error` on a bad command line.
std::optional<ServiceOptions> ParseServiceOptions(const std::vector<std::string>& args,
                                                  std::string& error);

// Names and passwords the course host can send: printable ASCII without the
// characters that split its requests or its "name+password" argument.
bool IsSendableCredential(const std::string& text, size_t max_bytes);

extern const char* const kServiceUsage;

}  // namespace vanto::service
