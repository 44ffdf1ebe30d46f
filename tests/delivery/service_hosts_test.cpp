#include "delivery/service_hosts.h"

#include <gtest/gtest.h>

#include "host_path.h"
#include "temp_folder.h"

namespace vanto::delivery {
namespace {

using vanto::testing::HostPath;
using vanto::testing::TempFolder;

TEST(ServiceHosts, DefaultsPointAtTheLocalService) {
  TempFolder folder;
  const ServiceHosts hosts = LoadServiceHosts(HostPath(folder));
  for (const auto& host : hosts.mirrors) EXPECT_EQ(host, "http://127.0.0.1:8090");
  for (const auto& host : hosts.update) EXPECT_EQ(host, "http://127.0.0.1:8090");
  EXPECT_EQ(hosts.account, "http://127.0.0.1:8090");
  EXPECT_EQ(hosts.site, "http://127.0.0.1:8090");
}

TEST(ServiceHosts, ServiceFileOverridesEntriesAndAccountFollowsFirstMirror) {
  TempFolder folder;
  folder.Write("service.ini",
               "[Hosts]\n"
               "mirror0=http://a.example/\n"
               "MIRROR2 = http://c.example//\n"
               "update3=http://u.example:81\n"
               "site=http://www.example\n");
  const ServiceHosts hosts = LoadServiceHosts(HostPath(folder));
  EXPECT_EQ(hosts.mirrors[0], "http://a.example");
  EXPECT_EQ(hosts.mirrors[1], "http://127.0.0.1:8090");
  EXPECT_EQ(hosts.mirrors[2], "http://c.example");
  EXPECT_EQ(hosts.account, "http://a.example");
  EXPECT_EQ(hosts.update[0], "http://127.0.0.1:8090");
  EXPECT_EQ(hosts.update[3], "http://u.example:81");
  EXPECT_EQ(hosts.site, "http://www.example");
}

TEST(ServiceHosts, AccountCanBeSetOnItsOwn) {
  TempFolder folder;
  folder.Write("service.ini", "[hosts]\nmirror0=http://a.example\naccount=http://acc.example/\n");
  EXPECT_EQ(LoadServiceHosts(HostPath(folder)).account, "http://acc.example");
}

}  // namespace
}  // namespace vanto::delivery
