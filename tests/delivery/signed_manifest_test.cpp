// Manifests of a publisher that signs, with and without its key configured.
#include "delivery_fixture.h"
#include "test_publisher.h"

namespace vanto::testing {
namespace {

// The key is configured before the fixture's delivery reads the configuration.
class SignedDeliveryTest : public ConfiguredPublisher, public DeliveryTest {};

TEST_F(SignedDeliveryTest, SignedManifestRunsAndEachFileMustMatchItsEntry) {
  hosts_[1].files.Write("a.txt", "alpha");
  hosts_[1].files.Write("b.txt", "forged");
  hosts_[1].files.Write("c.txt", "anything");  // its entry names no digest
  hosts_[0].SetManifest(Content(
      EntryLine("a.txt", "alpha") + "\r\n" + EntryLine("b.txt", "beta") + "\r\nc.txt\r\n", 1000));
  EXPECT_EQ(Fetch(), 0);
  EXPECT_EQ(delivery_.manifest_lines().size(), 3u);
  EXPECT_EQ(work_.Read("a.txt"), "alpha");
  EXPECT_FALSE(work_.Exists("b.txt"));
  EXPECT_FALSE(work_.Exists("c.txt"));
}

TEST_F(SignedDeliveryTest, AlteredForeignUnsignedOrOlderManifestsAreRefused) {
  hosts_[0].SetManifest(Content("#nofile\r\n", 2000));
  EXPECT_EQ(Fetch(), 1);
  hosts_[1].files.Write("a.txt", "alpha");
  work_.Write("a.txt", "old");  // an accepted manifest would replace it
  const std::string body = EntryLine("a.txt", "alpha") + "\r\n";
  std::string altered = Content(body, 3000);
  altered[altered.size() - 3] ^= 1;
  for (const std::string& manifest :
       {altered, TestPublisher().Content(body, 3000), body, Content(body, 1999)}) {
    hosts_[0].SetManifest(manifest);
    EXPECT_EQ(Fetch(), -1) << manifest;
    EXPECT_EQ(work_.Read("a.txt"), "old");
  }
  EXPECT_TRUE(hosts_[1].FileRequests().empty());
  EXPECT_TRUE(messages_.shown.empty());
  hosts_[0].SetManifest(Content(body, 2000));  // as old as the last accepted one
  EXPECT_EQ(Fetch(), 0);
  EXPECT_EQ(work_.Read("a.txt"), "alpha");
}

TEST_F(DeliveryTest, WithoutAKeyASignedManifestRunsAsBefore) {
  hosts_[1].files.Write("a.txt", "alpha");
  hosts_[0].SetManifest(TestPublisher().Content(EntryLine("a.txt", "alpha") + "\r\n", 1));
  EXPECT_EQ(Fetch(), 0);  // the signature line comes first: the run ends on the entry
  EXPECT_EQ(delivery_.manifest_lines().size(), 2u);
  EXPECT_EQ(work_.Read("a.txt"), "alpha");
}

}  // namespace
}  // namespace vanto::testing
