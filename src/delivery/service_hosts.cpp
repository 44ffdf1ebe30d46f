#include "delivery/service_hosts.h"

#include <string>

#include "platform/native_path.h"
#include "platform/profile.h"

namespace vanto::delivery {
namespace {

constexpr std::string_view kSection = "hosts";

std::string WithoutTrailingSlashes(std::string value) {
  while (!value.empty() && value.back() == '/') value.pop_back();
  return value;
}

std::string ReadHost(std::string_view key, std::string_view fallback, const std::string& file) {
  return WithoutTrailingSlashes(platform::ReadProfileString(kSection, key, fallback, file));
}

}  // namespace

ServiceHosts LoadServiceHosts(std::string_view program_folder_host_path) {
  const std::string file = platform::JoinHostPath(program_folder_host_path, kServiceFileName);
  ServiceHosts hosts;
  for (std::size_t i = 0; i < hosts.mirrors.size(); ++i) {
    hosts.mirrors[i] = ReadHost("mirror" + std::to_string(i), kDefaultServiceHost, file);
  }
  for (std::size_t i = 0; i < hosts.update.size(); ++i) {
    hosts.update[i] = ReadHost("update" + std::to_string(i), kDefaultServiceHost, file);
  }
  hosts.account = ReadHost("account", hosts.mirrors[0], file);
  hosts.site = ReadHost("site", kDefaultServiceHost, file);
  return hosts;
}

}  // namespace vanto::delivery
