#include "delivery/file_map.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host_path.h"
#include "temp_folder.h"

namespace vanto::delivery {
namespace {

using vanto::testing::HostPath;
using vanto::testing::TempFolder;

constexpr std::uint32_t kRead = CFileMap::kAccessRead;
constexpr std::uint32_t kReadWrite = CFileMap::kAccessReadWrite;
constexpr std::uint32_t kDenyWrite = CFileMap::kShareDenyWrite;
constexpr std::uint32_t kDenyNone = CFileMap::kShareDenyNone;
constexpr std::uint32_t kExclusive = 0x10;

TEST(FileMap, NewObjectIsClosed) {
  CFileMap file;
  EXPECT_FALSE(file.is_open());
  EXPECT_EQ(file.view(), nullptr);
  EXPECT_EQ(file.view_size(), 0u);
  char byte;
  EXPECT_EQ(file.Read(&byte, 1), 0u);
  EXPECT_EQ(file.Seek64(0, CFileMap::kBegin), CFileMap::kSeekFailed64);
}

TEST(FileMap, OpenWithoutCreateNeedsExistingFile) {
  TempFolder folder;
  CFileMap file;
  EXPECT_FALSE(file.Open(HostPath(folder, "none.dat"), kRead | kDenyNone));
  EXPECT_FALSE(file.is_open());
  EXPECT_FALSE(folder.Exists("none.dat"));
  EXPECT_FALSE(file.Open(HostPath(folder), kRead | kDenyNone)) << "a folder is not a file";
}

TEST(FileMap, CreateTruncatesUnlessOpenAlwaysIsAsked) {
  TempFolder folder;
  folder.Write("a.dat", "old content");
  {
    CFileMap file;
    ASSERT_TRUE(file.Open(HostPath(folder, "a.dat"),
                          kReadWrite | CFileMap::kCreate | CFileMap::kNoTruncate | kExclusive));
  }
  EXPECT_EQ(folder.Read("a.dat"), "old content");
  {
    CFileMap file;
    ASSERT_TRUE(file.Open(HostPath(folder, "a.dat"), kReadWrite | CFileMap::kCreate | kExclusive));
    EXPECT_EQ(file.Write("new", 3), 3u);
  }
  EXPECT_EQ(folder.Read("a.dat"), "new");
  {
    CFileMap file;
    ASSERT_TRUE(file.Open(HostPath(folder, "b.dat"), kRead | CFileMap::kCreate | kDenyNone));
  }
  EXPECT_TRUE(folder.Exists("b.dat"));
}

TEST(FileMap, ReadWriteAndSeek) {
  TempFolder folder;
  CFileMap file;
  ASSERT_TRUE(file.Open(HostPath(folder, "rw.dat"), kReadWrite | CFileMap::kCreate | kExclusive));
  EXPECT_EQ(file.Write("0123456789", 10), 10u);
  EXPECT_EQ(file.Write("x", 0), 0u);
  EXPECT_EQ(file.GetPosition(), 10u);
  EXPECT_EQ(file.Seek(-4, CFileMap::kEnd), 6u);
  char buffer[8] = {};
  EXPECT_EQ(file.Read(buffer, 8), 4u);
  EXPECT_STREQ(buffer, "6789");
  EXPECT_EQ(file.Seek(2, CFileMap::kBegin), 2u);
  EXPECT_EQ(file.Seek(3, CFileMap::kCurrent), 5u);
  EXPECT_EQ(file.Seek(-1, CFileMap::kBegin), CFileMap::kSeekFailed);
  EXPECT_EQ(file.GetPosition(), 5u) << "a failed seek keeps the position";
}

TEST(FileMap, Seek64ReachesBeyondFourGigabytes) {
  TempFolder folder;
  CFileMap file;
  ASSERT_TRUE(file.Open(HostPath(folder, "big.dat"), kReadWrite | CFileMap::kCreate | kExclusive));
  const std::uint64_t far = (5ull << 30) + 7;
  EXPECT_EQ(file.Seek64(static_cast<std::int64_t>(far), CFileMap::kBegin), far);
  EXPECT_EQ(file.GetPosition64(), far);
  EXPECT_EQ(file.GetPosition(), static_cast<std::uint32_t>(far));
  EXPECT_EQ(file.Seek64(-7, CFileMap::kCurrent), 5ull << 30);
}

TEST(FileMap, MapsWholeFile) {
  TempFolder folder;
  folder.Write("m.dat", "mapped bytes");
  CFileMap file;
  const void* view = file.OpenMapped(HostPath(folder, "m.dat"));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view, file.view());
  ASSERT_EQ(file.view_size(), 12u);
  EXPECT_EQ(std::memcmp(view, "mapped bytes", 12), 0);
  file.Unmap();
  EXPECT_EQ(file.view(), nullptr);
  EXPECT_TRUE(file.is_open());
}

TEST(FileMap, ZeroLengthFileIsNotMappedButStaysOpen) {
  TempFolder folder;
  folder.Write("empty", "");
  CFileMap file;
  EXPECT_EQ(file.OpenMapped(HostPath(folder, "empty")), nullptr);
  EXPECT_TRUE(file.is_open());
  EXPECT_EQ(file.OpenMapped(HostPath(folder, "missing")), nullptr);
  EXPECT_FALSE(file.is_open());
}

TEST(FileMap, SharingModesBecomeAdvisoryLocks) {
  TempFolder folder;
  folder.Write("s.dat", "shared");
  const std::string path = HostPath(folder, "s.dat");
  CFileMap reader1, reader2, other;
  ASSERT_TRUE(reader1.Open(path, kRead | kDenyWrite));
  EXPECT_TRUE(reader2.OpenMapped(path) != nullptr) << "deny-write openers share";
  EXPECT_FALSE(other.Open(path, kReadWrite | kExclusive));
  EXPECT_TRUE(other.Open(path, kRead | kDenyNone)) << "deny none takes no lock";
  reader1.Close();
  reader2.Close();
  other.Close();

  CFileMap owner;
  ASSERT_TRUE(owner.Open(path, kReadWrite | kExclusive));
  EXPECT_EQ(other.OpenMapped(path), nullptr);
  EXPECT_FALSE(other.Open(path, kRead | CFileMap::kShareDenyRead));
  // A refused "always create" open must not have emptied the file.
  EXPECT_FALSE(other.Open(path, kReadWrite | CFileMap::kCreate | kExclusive));
  EXPECT_EQ(folder.Read("s.dat"), "shared");
  owner.Close();
  EXPECT_NE(other.OpenMapped(path), nullptr);
}

}  // namespace
}  // namespace vanto::delivery
