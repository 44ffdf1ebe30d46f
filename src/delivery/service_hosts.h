// Hosts of the remote service.
//
// Every entry defaults to "http://127.0.0.1:8090", where the project's
// reference service listens. The file "service.ini" in the program folder
// overrides them, section "hosts":
//   mirror0 .. mirror3  content service mirrors (the host's mirror table)
//   account             account service base; defaults to mirror0's value
//   update0 .. update3  update service bases (the updater's table)
//   site                web-site host of the fallback notice page
// Values are bases such as "http://example.com"; trailing '/' are removed.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace vanto::delivery {

inline constexpr std::string_view kDefaultServiceHost = "http://127.0.0.1:8090";
inline constexpr std::string_view kServiceFileName = "service.ini";

struct ServiceHosts {
  std::array<std::string, 4> mirrors;
  std::string account;
  std::array<std::string, 4> update;
  std::string site;
};

ServiceHosts LoadServiceHosts(std::string_view program_folder_host_path);

}  // namespace vanto::delivery
