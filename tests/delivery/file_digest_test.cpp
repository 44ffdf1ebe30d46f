#include "delivery/file_digest.h"

#include <gtest/gtest.h>

#include <string>

#include "scratch_folder.h"

namespace vanto::delivery {
namespace {

using vanto::testing::ScratchFolder;

// MD5 of "hello".
constexpr char kHelloDigest[] = "5d41402abc4b2a76b9719d911017c592";
constexpr char kHelloDigestUpper[] = "5D41402ABC4B2A76B9719D911017C592";

class FileDigestTest : public ::testing::Test {
 protected:
  void SetUp() override { folder_.Write("a.swf", "hello"); }
  std::string Path() const { return folder_.Host("a.swf"); }
  bool Needs(const std::string& stamp) { return EntryNeedsDownload(stamp.c_str(), Path()); }

  ScratchFolder folder_;
};

TEST_F(FileDigestTest, DigestComparisonIgnoresCaseAndLooksAt32Characters) {
  EXPECT_TRUE(FileMd5Matches(kHelloDigest, Path()));
  EXPECT_TRUE(FileMd5Matches(kHelloDigestUpper, Path()));
  EXPECT_TRUE(FileMd5Matches(std::string(kHelloDigest) + "\texe,quit", Path()));
  EXPECT_FALSE(FileMd5Matches(std::string(kHelloDigest, 31), Path()));
  EXPECT_FALSE(FileMd5Matches("", Path()));
  EXPECT_FALSE(FileMd5Matches("d41d8cd98f00b204e9800998ecf8427e", Path()));
  EXPECT_FALSE(FileMd5Matches(kHelloDigest, folder_.Host("missing.swf")));
}

TEST_F(FileDigestTest, EmptyFileNeverMatches) {
  folder_.Write("empty", "");
  EXPECT_FALSE(FileMd5Matches("d41d8cd98f00b204e9800998ecf8427e", folder_.Host("empty")));
  const std::string stamp = "2012-06-10 08:30:00|d41d8cd98f00b204e9800998ecf8427e";
  EXPECT_TRUE(EntryNeedsDownload(stamp.c_str(), folder_.Host("empty")));
  EXPECT_FALSE(folder_.Exists("empty"));
}

TEST_F(FileDigestTest, MissingFileIsAlwaysFetched) {
  EXPECT_TRUE(EntryNeedsDownload(nullptr, folder_.Host("missing")));
  EXPECT_TRUE(EntryNeedsDownload("2012-06-10", folder_.Host("missing")));
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
