#include "delivery/service_hosts.h"

#include <gtest/gtest.h>

#include "scratch_folder.h"

namespace vanto::delivery {
namespace {

using vanto::testing::ScratchFolder;

TEST(ServiceHosts, DefaultsPointAtTheLocalService) {
  ScratchFolder folder;
  const ServiceHosts hosts = LoadServiceHosts(folder.Host());
  for (const auto& host : hosts.mirrors) EXPECT_EQ(host, "http://127.0.0.1:8090");
  for (const auto& host : hosts.update) EXPECT_EQ(host, "http://127.0.0.1:8090");
  EXPECT_EQ(hosts.account, "http://127.0.0.1:8090");
  EXPECT_EQ(hosts.site, "http://127.0.0.1:8090");
}

TEST(ServiceHosts, ServiceFileOverridesEntriesAndAccountFollowsFirstMirror) {
  ScratchFolder folder;
  folder.Write("service.ini",
               "[Hosts]\n"
               "mirror0=http://a.example/\n"
               "MIRROR2 = http://c.example//\n"
               "update3=http://u.example:81\n"
               "site=http://www.example\n");
  const ServiceHosts hosts = LoadServiceHosts(folder.Host());
  EXPECT_EQ(hosts.mirrors[0], "http://a.example");
  EXPECT_EQ(hosts.mirrors[1], "http://127.0.0.1:8090");
  EXPECT_EQ(hosts.mirrors[2], "http://c.example");
  EXPECT_EQ(hosts.account, "http://a.example");
  EXPECT_EQ(hosts.update[0], "http://127.0.0.1:8090");
  EXPECT_EQ(hosts.update[3], "http://u.example:81");
  EXPECT_EQ(hosts.site, "http://www.example");
}

TEST(ServiceHosts, AccountCanBeSetOnItsOwn) {
  ScratchFolder folder;
  folder.Write("service.ini", "[hosts]\nmirror0=http://a.example\naccount=http://acc.example/\n");
  EXPECT_EQ(LoadServiceHosts(folder.Host()).account, "http://acc.example");
}

}  // namespace
}  // namespace vanto::delivery
