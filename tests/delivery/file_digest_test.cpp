#include "delivery/file_digest.h"

#include <gtest/gtest.h>

#include <string>

#include "host_path.h"
#include "temp_folder.h"

namespace vanto::delivery {
namespace {

using vanto::testing::HostPath;
using vanto::testing::TempFolder;

// MD5 of "hello".
constexpr char kHelloDigest[] = "5d41402abc4b2a76b9719d911017c592";
constexpr char kHelloDigestUpper[] = "5D41402ABC4B2A76B9719D911017C592";

class FileDigestTest : public ::testing::Test {
 protected:
  void SetUp() override { folder_.Write("a.swf", "hello"); }
  std::string Path() const { return HostPath(folder_, "a.swf"); }
  bool Needs(const std::string& stamp) { return EntryNeedsDownload(stamp.c_str(), Path()); }

  TempFolder folder_;
};

TEST_F(FileDigestTest, DigestComparisonIgnoresCaseAndLooksAt32Characters) {
  EXPECT_TRUE(FileMd5Matches(kHelloDigest, Path()));
  EXPECT_TRUE(FileMd5Matches(kHelloDigestUpper, Path()));
  EXPECT_TRUE(FileMd5Matches(std::string(kHelloDigest) + "\texe,quit", Path()));
  EXPECT_FALSE(FileMd5Matches(std::string(kHelloDigest, 31), Path()));
  EXPECT_FALSE(FileMd5Matches("", Path()));
  EXPECT_FALSE(FileMd5Matches("d41d8cd98f00b204e9800998ecf8427e", Path()));
  EXPECT_FALSE(FileMd5Matches(kHelloDigest, HostPath(folder_, "missing.swf")));
}

TEST_F(FileDigestTest, EmptyFileNeverMatches) {
  folder_.Write("empty", "");
  EXPECT_FALSE(FileMd5Matches("d41d8cd98f00b204e9800998ecf8427e", HostPath(folder_, "empty")));
  const std::string stamp = "2012-06-10 08:30:00|d41d8cd98f00b204e9800998ecf8427e";
  EXPECT_TRUE(EntryNeedsDownload(stamp.c_str(), HostPath(folder_, "empty")));
  EXPECT_FALSE(folder_.Exists("empty"));
}

TEST_F(FileDigestTest, MissingFileIsAlwaysFetched) {
  EXPECT_TRUE(EntryNeedsDownload(nullptr, HostPath(folder_, "missing")));
  EXPECT_TRUE(EntryNeedsDownload("2012-06-10", HostPath(folder_, "missing")));
}

TEST_F(FileDigestTest, PresentFileWithoutDigestIsKept) {
  EXPECT_FALSE(EntryNeedsDownload(nullptr, Path()));
  EXPECT_FALSE(Needs(""));
  EXPECT_FALSE(Needs("2012-06-10"));
  EXPECT_FALSE(Needs("2012-06-10 08:30:00"));
  EXPECT_TRUE(folder_.Exists("a.swf"));
}

TEST_F(FileDigestTest, MatchingDigestInAnyCaseKeepsFile) {
  EXPECT_FALSE(Needs(std::string("2012-06-10 08:30:00|") + kHelloDigestUpper));
  EXPECT_FALSE(Needs(std::string("|") + kHelloDigest + "\texe"));
  EXPECT_TRUE(folder_.Exists("a.swf"));
}

TEST_F(FileDigestTest, WrongDigestDeletesFile) {
  EXPECT_TRUE(Needs("2012-06-10 08:30:00|0123456789abcdef0123456789abcdef"));
  EXPECT_FALSE(folder_.Exists("a.swf"));
}

TEST_F(FileDigestTest, SixthClosedNumberEndsCheckWithoutDigest) {
  const std::string wrong = "|0123456789abcdef0123456789abcdef";
  EXPECT_FALSE(Needs("2012-06-10 08:30:45 " + wrong));
  EXPECT_TRUE(folder_.Exists("a.swf"));
  // Zero numbers do not count as closed: "00" runs on into the next digits.
  EXPECT_TRUE(Needs("2012-06-10 08:00:00 " + wrong));
}

TEST_F(FileDigestTest, OtherCharacterEndsCheckWithoutDigest) {
  EXPECT_FALSE(Needs("2012-06-10T08:30|0123456789abcdef0123456789abcdef"));
  EXPECT_FALSE(Needs("x|0123456789abcdef0123456789abcdef"));
  EXPECT_TRUE(folder_.Exists("a.swf"));
}

}  // namespace
}  // namespace vanto::delivery
