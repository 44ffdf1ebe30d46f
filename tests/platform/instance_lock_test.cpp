// The single-instance lock without a runtime folder: its own folder in the
// temporary folder, which no other user can take over.
#include "platform/instance_lock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "temp_folder.h"

using vanto::platform::InstanceLock;
using vanto::testing::TempFolder;

namespace {

class InstanceLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime) saved_runtime_ = runtime;
    ::unsetenv("XDG_RUNTIME_DIR");
    ::setenv("TMPDIR", temp_.path().c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("TMPDIR");
    if (!saved_runtime_.empty()) ::setenv("XDG_RUNTIME_DIR", saved_runtime_.c_str(), 1);
  }
  std::filesystem::path Folder() const {
    return temp_.path() / ("vanto-" + std::to_string(::getuid()));
  }

  TempFolder temp_;
  std::string saved_runtime_;
};

TEST_F(InstanceLockTest, LockLivesInAPrivateFolderAndHoldsOffASecondInstance) {
  InstanceLock first("VantoPelkoEvent");
  ASSERT_TRUE(first.Acquire());
  EXPECT_TRUE(first.held());
  struct stat info {};
  ASSERT_EQ(::lstat(Folder().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(std::filesystem::path(first.path()).parent_path(), Folder());
  InstanceLock second("VantoPelkoEvent");
  EXPECT_FALSE(second.Acquire());
  first.Release();
  EXPECT_TRUE(second.Acquire());
}

TEST_F(InstanceLockTest, HolderTellsWhichInstallationHoldsTheLockOnlyWhileItIsHeld) {
  EXPECT_FALSE(InstanceLock::Holder("VantoPelkoEvent"));
  InstanceLock lock("VantoPelkoEvent");
  ASSERT_TRUE(lock.Acquire());
  EXPECT_EQ(InstanceLock::Holder("VantoPelkoEvent"), "");
  ASSERT_TRUE(lock.Describe("/home/mum/.local/share/vanto/learners/2"));
  ASSERT_TRUE(lock.Describe("/home/mum/.local/share/vanto/learners/1"));  // replaces, not appends
  EXPECT_EQ(InstanceLock::Holder("VantoPelkoEvent"), "/home/mum/.local/share/vanto/learners/1");
  lock.Release();
  EXPECT_FALSE(InstanceLock::Holder("VantoPelkoEvent"));  // the text left behind means nothing
  EXPECT_FALSE(lock.Describe("x"));
}

TEST_F(InstanceLockTest, SymlinkedLockFileAndForeignFolderAreRefused) {
  std::filesystem::create_directory(Folder());
  const std::string lock = (Folder() / ("VantoPelkoEvent-" + std::to_string(::getuid()) + ".lock"));
  std::filesystem::create_symlink(temp_.File("elsewhere"), lock);
  InstanceLock linked("VantoPelkoEvent");
  EXPECT_TRUE(linked.Acquire());  // the start goes on, without the mark
  EXPECT_FALSE(linked.held());
  EXPECT_FALSE(std::filesystem::exists(temp_.File("elsewhere")));
  std::filesystem::remove(lock);
  if (::geteuid() != 0) GTEST_SKIP() << "giving the folder away needs root";
  ASSERT_EQ(::chown(Folder().c_str(), ::getuid() + 4242, static_cast<gid_t>(-1)), 0);
  InstanceLock foreign("VantoPelkoEvent");
  EXPECT_TRUE(foreign.Acquire());
  EXPECT_FALSE(foreign.held());
}

}  // namespace
