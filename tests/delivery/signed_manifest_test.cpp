// Manifests of a publisher that signs, with and without its key configured.
#include <unistd.h>

#include "delivery/manifest_verifier.h"
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
      EntryLine("a.txt", "alpha") + "\r\n" + EntryLine("b.txt", "beta") + "\r\nc.txt\r\n", Now()));
  EXPECT_EQ(Fetch(), 0);
  EXPECT_EQ(delivery_.manifest_lines().size(), 3u);
  EXPECT_EQ(work_.Read("a.txt"), "alpha");
  EXPECT_FALSE(work_.Exists("b.txt"));
  EXPECT_FALSE(work_.Exists("c.txt"));
  EXPECT_EQ(work_.CountEntries(), 2);  // a.txt and down.list: nothing else arrived
}

// Every way a manifest can be signed and still not be for this host now.
TEST_F(SignedDeliveryTest, AlteredForeignUnsignedOlderMisdirectedOrExpiredManifestsAreRefused) {
  const std::int64_t start = Now(-10 * kDay);
  hosts_[0].SetManifest(Content("#nofile\r\n", start + 2000, "p1", 20 * kDay));
  EXPECT_EQ(Fetch(), 1);
  hosts_[1].files.Write("a.txt", "alpha");
  work_.Write("a.txt", "old");  // an accepted manifest would replace it
  const std::string body = EntryLine("a.txt", "alpha") + "\r\n";
  std::string altered = Content(body, start + 3000, "p1", 20 * kDay);
  altered[altered.size() - 3] ^= 1;
  for (const std::string& manifest :
       {altered, TestPublisher().Content(body, start + 3000, "p1", 20 * kDay), body,
        Content(body, start + 1999, "p1", 20 * kDay),
        Content(body, start + 3000, "gushi=1", 20 * kDay),  // answers another request
        Content(body, start + 3000, "p1", 8 * kDay),        // valid until two days ago
        Content(body, Now(2 * kDay), "p1")}) {              // not valid before tomorrow
    hosts_[0].SetManifest(manifest);
    EXPECT_EQ(Fetch(), -1) << manifest;
    EXPECT_EQ(work_.Read("a.txt"), "old");
  }
  EXPECT_TRUE(hosts_[1].FileRequests().empty());
  EXPECT_TRUE(messages_.shown.empty());
  hosts_[0].SetManifest(Content(body, start + 2000, "p1", 20 * kDay));  // as old as the last one
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

// A key setting that names a missing file: the installation meant to verify.
class MissingKeyFile : public PublisherSettings {
 public:
  MissingKeyFile() { NameKeyFile("no-such-key"); }
};
class MissingKeyDeliveryTest : public MissingKeyFile, public DeliveryTest {};

TEST_F(MissingKeyDeliveryTest, RefusesEveryManifestAndSaysWhyOnce) {
  work_.Write("list.txt", "course");
  hosts_[0].SetManifest("#delete\tx\tlist.txt\r\n");
  EXPECT_EQ(Fetch(), -1);
  EXPECT_EQ(Fetch(), -1);
  EXPECT_EQ(work_.Read("list.txt"), "course");
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_NE(messages_.shown[0].find(config().File("no-such-key")), std::string::npos);
}

// Settings the verifier cannot trust: each refuses a properly signed
// manifest and names what is wrong.
TEST(ManifestVerifierSettings, UntrustworthySettingsRefuseEveryManifest) {
  struct Setting {
    const char* what;
    std::function<void(PublisherSettings&, const TestPublisher&)> make;
  };
  const std::vector<Setting> settings = {
      {"a link to nothing",
       [](PublisherSettings& s, const TestPublisher&) {
         ::symlink(s.config().File("nowhere").c_str(), s.config().File("key").c_str());
       }},
      {"changed by other users",
       [](PublisherSettings& s, const TestPublisher& p) {
         s.config().Write("key", p.PublicKeyText());
         ::chmod(s.config().File("key").c_str(), 0666);
       }},
      {"folder",
       [](PublisherSettings& s, const TestPublisher& p) {
         s.config().Write("open/key", p.PublicKeyText());
         ::chmod(s.config().File("open/key").c_str(), 0644);
         ::chmod(s.config().File("open").c_str(), 0777);
         ::setenv("VANTO_PUBLISHER_KEY_FILE", s.config().File("open/key").c_str(), 1);
       }},
      {"holds no key",
       [](PublisherSettings& s, const TestPublisher&) { s.config().Write("key", "not a key\n"); }},
      {"state cannot be kept",
       [](PublisherSettings& s, const TestPublisher& p) {
         s.config().Write("key", p.PublicKeyText());
         ::chmod(s.config().File("key").c_str(), 0644);
         s.config().Write("file", "a file, not a folder");
         ::setenv("XDG_STATE_HOME", s.config().File("file/state").c_str(), 1);
       }},
  };
  for (const Setting& setting : settings) {
    PublisherSettings settings_of_test;
    const TestPublisher publisher;
    settings_of_test.NameKeyFile("key");
    setting.make(settings_of_test, publisher);
    std::optional<delivery::ManifestVerifier> verifier =
        delivery::ManifestVerifier::Configured(delivery::ManifestKind::kContent);
    ASSERT_TRUE(verifier) << setting.what;
    EXPECT_FALSE(
        verifier->AcceptContent(publisher.Content("#nofile\r\n", TestPublisher::Now()), "p1"))
        << setting.what;
    const std::optional<std::string> problem = verifier->TakeSettingsProblem();
    ASSERT_TRUE(problem) << setting.what;
    EXPECT_NE(problem->find(setting.what), std::string::npos) << *problem;
    EXPECT_FALSE(verifier->TakeSettingsProblem()) << setting.what;  // said once
  }
}

}  // namespace
}  // namespace vanto::testing
