// A signing service: its key pair, and what it serves, checked with the
// public key as a verifying host and updater check it.
#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <sstream>

#include "service/content/content_script.h"
#include "service/content/manifest_signer.h"
#include "temp_folder.h"

namespace vanto::service {
namespace {

namespace fs = std::filesystem;
using delivery::ManifestKind;

std::string ReadText(const fs::path& file) {
  std::ifstream in(file);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The signature line of `text` verifies `body` under `key`, was made now for
// `request` and is valid for `days` days.
void ExpectSigned(const std::string& line, std::string_view body, ManifestKind kind,
                  const delivery::PublicKey& key, const std::string& request, int days) {
  auto signature = delivery::ParseSignatureLine(delivery::SplitSignedContent(line)->signature_line);
  ASSERT_TRUE(signature) << line;
  EXPECT_TRUE(delivery::SignatureMatches(body, kind, *signature, key));
  EXPECT_NEAR(static_cast<double>(signature->signed_at), static_cast<double>(std::time(nullptr)),
              60);
  EXPECT_EQ(signature->valid_until - signature->signed_at, days * 24 * 60 * 60);
  EXPECT_EQ(signature->request, request);
}

TEST(ManifestSigning, SignedRepliesVerifyAndChangeNothingElse) {
  vanto::testing::TempFolder keys, tree;
  WriteKeyPair(keys.path() / "secret", keys.path() / "public");
  EXPECT_THROW(WriteKeyPair(keys.path() / "secret", keys.path() / "other"), std::runtime_error);
  EXPECT_EQ(fs::status(keys.path() / "secret").permissions() & fs::perms::others_all,
            fs::perms::none);
  const auto key = delivery::ParsePublicKey(ReadText(keys.path() / "public"));
  ASSERT_TRUE(key);

  tree.Write("list.txt", "\xE4\xBA\xBA\tren\t\xE4\xBA\xBA\xE4\xBB\xAC\t\xE4\xBA\xBA\n");
  tree.Write("gs0/0.swf", "story");
  tree.Write("update/Vanto.ex_", "new host");
  ContentConfig config{tree.path()};
  ContentScript plain(config);
  config.signing_key = keys.path() / "secret";
  config.valid_days = 5;
  ContentScript signing(config);

  // The request exactly as it came, spelling included.
  const std::string query = "gushi=0%30";
  const std::string content = signing.Answer(query).body;
  const auto parts = delivery::SplitSignedContent(content);
  ASSERT_TRUE(parts);
  EXPECT_EQ(parts->body, plain.Answer("gushi=00").body);
  ExpectSigned(content, parts->body, ManifestKind::kContent, *key, query, 5);

  const std::string update = signing.Answer("update").body;
  EXPECT_EQ(update, plain.Answer("update").body);  // what every updater reads
  ExpectSigned(signing.Answer("update&signature").body, update, ManifestKind::kUpdate, *key,
               "update", 5);

  EXPECT_EQ(signing.Answer("gushi=x").status, 400);
  EXPECT_THROW(ManifestSigner(keys.path() / "public"), std::runtime_error);
}

}  // namespace
}  // namespace vanto::service
