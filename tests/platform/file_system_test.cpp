#include "platform/file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

#include "platform/local_date.h"
#include "platform/native_path.h"
#include "temp_folder.h"

using namespace vanto::platform;
using vanto::testing::TempFolder;

TEST(FileSystem, QueriesOnRealFiles) {
  TempFolder dir;
  std::string file = NativeToHostPath(dir.File("a.txt"));
  EXPECT_FALSE(PathExists(file));
  EXPECT_FALSE(ModificationTime(file));
  EXPECT_FALSE(CreationTime(file));
  dir.Write("a.txt", "x");
  EXPECT_TRUE(PathExists(file));
  EXPECT_FALSE(IsDirectory(file));
  EXPECT_TRUE(IsDirectory(NativeToHostPath(dir.path().string())));
  ASSERT_TRUE(ModificationTime(file));
  ASSERT_TRUE(CreationTime(file));
  EXPECT_EQ(ReadWholeFile(file).value(), "x");
  EXPECT_TRUE(RemoveFile(file));
  EXPECT_FALSE(ReadWholeFile(file));
}

TEST(FileSystem, CreationTimeSurvivesInPlaceRewrites) {
  TempFolder dir;
  std::string file = NativeToHostPath(dir.File("list.dat"));
  dir.Write("list.dat", "old");
  FileTime created = *CreationTime(file);
  // Move the modification time far into the future; the creation time must
  // not follow it (the birth time, where the file system records one).
  struct timespec times[2] = {{0, UTIME_OMIT}, {created.seconds + 100000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, dir.File("list.dat").c_str(), times, 0), 0);
  FileTime after = *CreationTime(file);
  if (after.seconds == created.seconds + 100000) {
    GTEST_SKIP() << "file system records no birth time; modification time stands in";
  }
  EXPECT_EQ(after, created);
}

TEST(FileSystem, AtomicWriteReplacesWholeFileAndKeepsMode) {
  TempFolder dir;
  std::string file = NativeToHostPath(dir.File("doc.xml"));
  ASSERT_TRUE(WriteFileAtomically(file, "a long first content"));
  chmod(dir.File("doc.xml").c_str(), 0600);
  ASSERT_TRUE(WriteFileAtomically(file, "short"));
  EXPECT_EQ(dir.Read("doc.xml"), "short");
  struct stat st;
  ASSERT_EQ(stat(dir.File("doc.xml").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_FALSE(WriteFileAtomically(NativeToHostPath(dir.File("missing/doc.xml")), "x"));
}

TEST(FileSystem, FoldersAndRename) {
  TempFolder dir;
  std::string sub = NativeToHostPath(dir.File("sub"));
  EXPECT_TRUE(MakeDirectory(sub));
  EXPECT_FALSE(MakeDirectory(sub));
  dir.Write("a", "1");
  EXPECT_TRUE(RenameFile(NativeToHostPath(dir.File("a")), JoinHostPath(sub, "b")));
  EXPECT_EQ(dir.Read("sub/b"), "1");

  std::string before = CurrentFolder();
  ASSERT_TRUE(SetCurrentFolder(sub));
  EXPECT_EQ(NativePath(CurrentFolder()), std::filesystem::canonical(dir.File("sub")).string());
  EXPECT_TRUE(PathExists("b"));  // relative host paths resolve against the current folder
  ASSERT_TRUE(SetCurrentFolder(before));
  EXPECT_FALSE(ProgramFolder().empty());
}

TEST(Clock, DateNumberAndTicks) {
  int d = LocalDateNumber();
  EXPECT_GT(d, 20200101);
  EXPECT_LE(d % 100, 31);
  std::uint32_t a = TickCount();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_GE(static_cast<std::uint32_t>(TickCount() - a), 15u);
}
