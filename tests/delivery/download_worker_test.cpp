// The download worker against real mirrors on 127.0.0.1.
#include <sys/stat.h>

#include <filesystem>

#include "delivery_fixture.h"
#include "platform/codepage.h"

namespace vanto::testing {
namespace {

TEST_F(DeliveryTest, MirrorThatServedAFileIsTriedFirstForTheRest) {
  hosts_[2].files.Write("a.txt", "A");
  hosts_[1].files.Write("b.txt", "B");
  hosts_[2].files.Write("b.txt", "B");
  Serve({EntryLine("a.txt", "A"), EntryLine("b.txt", "B")});
  EXPECT_EQ(Fetch(), 0);
  ASSERT_EQ(hosts_[1].FileRequests().size(), 1u);  // a.txt only: b.txt came from mirror 2
  EXPECT_EQ(hosts_[1].FileRequests()[0].rfind("/v2/a.txt?rand=", 0), 0u);
  EXPECT_EQ(hosts_[2].FileRequests().size(), 2u);
  EXPECT_EQ(work_.Read("b.txt"), "B");
}

TEST_F(DeliveryTest, AllThreeMirrorsAreTriedAndAMissingFileIsSkipped) {
  hosts_[3].files.Write("c.txt", "C");
  Serve({"gone.txt", EntryLine("c.txt", "C")});
  EXPECT_EQ(Fetch(), 0);
  for (int i = 1; i <= 3; ++i) {
    ASSERT_FALSE(hosts_[i].FileRequests().empty());
    EXPECT_EQ(hosts_[i].FileRequests()[0].rfind("/v2/gone.txt?rand=", 0), 0u);
  }
  EXPECT_FALSE(work_.Exists("gone.txt"));
  EXPECT_EQ(work_.Read("c.txt"), "C");
  EXPECT_EQ(Steps(), 2);
}

TEST_F(DeliveryTest, StaleFileIsReplacedAndAWrongDigestFromAMirrorIsNotKept) {
  work_.Write("d/x.bin", "old contents");
  hosts_[1].files.Write("d/x.bin", "corrupted");
  hosts_[2].files.Write("d/x.bin", "new contents");
  Serve({EntryLine("d/x.bin", "new contents")});
  EXPECT_EQ(Fetch(), 0);
  EXPECT_EQ(work_.Read("d/x.bin"), "new contents");
  EXPECT_EQ(hosts_[1].FileRequests().size(), 1u);
}

TEST_F(DeliveryTest, CurrentFilesAreNotFetchedAndUndigestedFilesOnlyWhenMissing) {
  work_.Write("same.txt", "same");
  work_.Write("plain.txt", "whatever");
  Serve({EntryLine("same.txt", "same"), "plain.txt", "plain2.txt\t2012-06-10"});
  hosts_[1].files.Write("plain2.txt", "p2");
  EXPECT_EQ(Fetch(), 0);
  ASSERT_EQ(hosts_[1].FileRequests().size(), 1u);
  EXPECT_EQ(hosts_[1].FileRequests()[0].rfind("/v2/plain2.txt?rand=", 0), 0u);
  EXPECT_EQ(work_.Read("plain.txt"), "whatever");
}

TEST_F(DeliveryTest, GbkPathIsRequestedAsEscapedUtf8) {
  const std::string name = platform::Utf8ToGbk("字/汉.txt");
  hosts_[1].files.Write("字/汉.txt", "hz");
  Serve({EntryLine(name, "hz")});
  EXPECT_EQ(Fetch(), 0);
  ASSERT_EQ(hosts_[1].FileRequests().size(), 1u);
  EXPECT_EQ(hosts_[1].FileRequests()[0].rfind("/v2/%E5%AD%97/%E6%B1%89.txt?rand=", 0), 0u);
  EXPECT_EQ(work_.Read("字/汉.txt"), "hz");
}

TEST_F(DeliveryTest, OneConnectionCarriesEveryFileOfARun) {
  std::vector<std::string> lines;
  for (int i = 0; i < 25; ++i) {
    const std::string name = "k/" + std::to_string(i) + ".dat";
    hosts_[1].files.Write(name, name);
    lines.push_back(EntryLine(name, name));
  }
  Serve(lines);
  EXPECT_EQ(Fetch(), 0);
  EXPECT_EQ(hosts_[1].server.requests(), 25);
  EXPECT_EQ(hosts_[1].server.connections(), 1);
}

TEST_F(DeliveryTest, PathsLeavingTheFolderAreRefusedAsFailedEntries) {
  TempFolder outside;
  outside.Write("victim.txt", "keep me");
  const std::string escape =
      "../" + std::filesystem::path(outside.path().string()).filename().string();
  const std::string victim = escape + "/victim.txt";
  hosts_[1].files.Write("ok.txt", "ok");
  Serve({EntryLine(victim, "other"),  // would delete the mismatching file
         EntryLine("a/../../x.txt", "x"), EntryLine(outside.File("abs.txt"), "x"),
         EntryLine("C:evil.txt", "x"), std::string("nul\0.txt", 8), "#delete x " + victim,
         EntryLine(std::string(300, 'n'), "x"), EntryLine("ok.txt", "ok")});
  EXPECT_EQ(Fetch(), 0);
  EXPECT_EQ(outside.Read("victim.txt"), "keep me");
  EXPECT_FALSE(outside.Exists("abs.txt"));
  EXPECT_EQ(Steps(), 7);  // every entry line advances, the command does not
  for (const std::string& request : hosts_[1].FileRequests()) {
    EXPECT_EQ(request.rfind("/v2/ok.txt", 0), 0u) << request;
  }
}

TEST_F(DeliveryTest, PartialDownloadNeverStaysUnderTheEntryName) {
  Serve({"cut/a.bin"});  // every mirror drops the connection midway
  EXPECT_EQ(Fetch(), 0);
  EXPECT_EQ(hosts_[3].FileRequests().size(), 1u);
  EXPECT_FALSE(work_.Exists("cut/a.bin"));
  EXPECT_EQ(work_.CountEntries("cut"), 0);  // no temporary file left either
}

TEST_F(DeliveryTest, UpdateCommandStartsAnExistingFileAndEndsTheRun) {
  work_.Write("tools/Update", "#!/bin/sh\n");
  ::chmod(work_.File("tools/Update").c_str(), 0640);  // delivered as a plain file
  hosts_[1].files.Write("later.txt", "l");
  Serve({"#update x tools/missing", "#UPDATE x tools/Update", "later.txt"});
  EXPECT_EQ(Fetch(), 2);
  ASSERT_EQ(processes_.starts().size(), 1u);
  EXPECT_EQ(processes_.starts()[0].path, HostPath(work_) + "\\tools/Update");
  struct stat info {};
  ASSERT_EQ(::stat(work_.File("tools/Update").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0750u);  // its owner (and group) may now run it
  EXPECT_FALSE(work_.Exists("later.txt"));
}

TEST_F(DeliveryTest, CommandsNeedASecondSeparatorAndDeleteEndsWithCodeOne) {
  work_.Write("a.txt", "a");
  work_.Write("b.txt", "b");
  work_.Write("Update", "u");
  Serve({"#delete a.txt", "#update Update", "#delete\tx\tb.txt"});
  EXPECT_EQ(Fetch(), 1);
  EXPECT_TRUE(work_.Exists("a.txt"));  // the name was taken for the passed-over field
  EXPECT_FALSE(work_.Exists("b.txt"));
  EXPECT_TRUE(processes_.starts().empty());
}

TEST_F(DeliveryTest, ExecutableEntryIsInstalledWithoutSuffixAndStarted) {
  hosts_[1].files.Write("bin/Update.ex_", "#!/bin/sh\n");
  hosts_[1].files.Write("after.txt", "a");
  Serve({EntryLine("bin/Update.ex_", "#!/bin/sh\n", "EXE"), "after.txt"});
  EXPECT_EQ(Fetch(), 0);
  EXPECT_FALSE(work_.Exists("bin/Update.ex_"));
  struct stat info {};
  ASSERT_EQ(::stat(work_.File("bin/Update").c_str(), &info), 0);
  EXPECT_NE(info.st_mode & S_IXUSR, 0u);
  ASSERT_EQ(processes_.starts().size(), 1u);
  EXPECT_EQ(processes_.starts()[0].path, HostPath(work_, "bin\\Update"));
  EXPECT_EQ(processes_.quits(), 0);
  EXPECT_TRUE(work_.Exists("after.txt"));
}

TEST_F(DeliveryTest, QuitFlagEndsTheRunWithoutDoneNotice) {
  hosts_[1].files.Write("Update.ex_", "u");
  hosts_[1].files.Write("after.txt", "a");
  Serve({EntryLine("Update.ex_", "u", "exe quit"), "after.txt"});
  ASSERT_TRUE(delivery_.FetchManifest("?q", nullptr));
  delivery_.JoinWorker();  // the worker stops after the quit request
  EXPECT_EQ(processes_.quits(), 1);
  EXPECT_EQ(processes_.starts().size(), 1u);
  EXPECT_FALSE(work_.Exists("after.txt"));
}

TEST_F(DeliveryTest, AfterAnUpdateExecutablesStayAndQuitIsIgnored) {
  delivery::started_after_update = 1;
  hosts_[1].files.Write("Update.ex_", "u");
  hosts_[1].files.Write("after.txt", "a");
  Serve({EntryLine("Update.ex_", "u", "exe quit"), "after.txt"});
  EXPECT_EQ(Fetch(), 0);
  EXPECT_TRUE(work_.Exists("Update.ex_"));
  EXPECT_FALSE(work_.Exists("Update"));
  EXPECT_TRUE(processes_.starts().empty());
  EXPECT_EQ(processes_.quits(), 0);
  EXPECT_TRUE(work_.Exists("after.txt"));
}

// The main window's progress bar is reset directly when a manifest loads;
// only the worker sends notices, so it sees one range notice per run.
TEST_F(DeliveryTest, MainWindowSeesOneRangeNoticePerManifest) {
  hosts_[1].files.Write("a.txt", "a");
  Serve({"a.txt"});
  int ranges = 0;
  delivery::ReloadWait main(loop_, [&](int code, std::int64_t, std::string_view) {
    ranges += code == delivery::ID_DOWNLOAD_RANGE;
  });
  delivery::ContentDelivery own(Mirrors(), HostPath(work_), loop_, processes_, messages_, &main);
  ASSERT_TRUE(own.FetchManifest("?p1", &main));
  EXPECT_EQ(main.RunModal(), 0);
  EXPECT_EQ(ranges, 1);
}

}  // namespace
}  // namespace vanto::testing
