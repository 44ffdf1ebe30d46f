// Manifest lines, entry paths and the "updated" switch.
#include <gtest/gtest.h>

#include "delivery/entry_path.h"
#include "delivery/manifest_file.h"
#include "delivery/manifest_line.h"
#include "delivery/update_flag.h"
#include "host_path.h"
#include "platform/codepage.h"
#include "temp_folder.h"

namespace vanto::delivery {
namespace {

TEST(ManifestText, LinesEndAtLfOrCrLfAndEmptyOnesAreSkipped) {
  const auto lines = SplitManifestText("a\r\n\r\nb\nc\rd\n\ne", ManifestRules::kContent);
  ASSERT_TRUE(lines);
  EXPECT_EQ(*lines, (std::vector<std::string>{"a", "b", "c\rd", "e"}));
}

TEST(ManifestText, AngleBracketOrNoLinesInvalidateOnlyTheContentManifest) {
  EXPECT_FALSE(SplitManifestText("a\nb<c\n", ManifestRules::kContent));
  EXPECT_FALSE(SplitManifestText("\r\n\n", ManifestRules::kContent));
  EXPECT_EQ(SplitManifestText("a\nb<c\n", ManifestRules::kUpdate)->size(), 2u);
  EXPECT_TRUE(SplitManifestText("", ManifestRules::kUpdate)->empty());
}

TEST(ManifestLine, EntryFields) {
  const std::string line = "hlg/a.xml\t2012-06-10 08:30:00|ABC\texe quit";
  const ManifestEntry entry = ParseEntryLine(line);
  EXPECT_EQ(entry.path, "hlg/a.xml");
  EXPECT_STREQ(entry.stamp, "2012-06-10 08:30:00|ABC\texe quit");
  EXPECT_EQ(entry.flags, "exe quit");
  EXPECT_TRUE(HasExecutableFlag(entry.flags));
  EXPECT_TRUE(HasQuitFlag(entry.flags));

  const std::string bare = "a.txt";
  EXPECT_EQ(ParseEntryLine(bare).stamp, nullptr);
  EXPECT_FALSE(HasExecutableFlag("run exe"));
  EXPECT_TRUE(HasExecutableFlag("ExE"));
  EXPECT_FALSE(HasQuitFlag("QUIT"));
}

TEST(ManifestLine, CommandWordAndTheFileAfterTheSecondSeparator) {
  EXPECT_EQ(ParseCommandLine("#UpDaTe x Update.exe").word, "update");
  EXPECT_EQ(ParseCommandLine("#update x Update.exe").file, "Update.exe");
  EXPECT_EQ(ParseCommandLine("#delete\tx\ta b.txt").file, "a b.txt");
  EXPECT_FALSE(ParseCommandLine("#update Update.exe").file);  // name is the passed-over field
  EXPECT_FALSE(ParseCommandLine("#update ").file);
  EXPECT_FALSE(ParseCommandLine("#del").file);
  EXPECT_EQ(ParseCommandLine("#del").word, "del");
}

TEST(EntryPath, OnlyRelativePathsInsideTheFolderAreSafe) {
  EXPECT_TRUE(IsSafeRelativePath("hlg/mouse/config_mouse.xml"));
  EXPECT_TRUE(IsSafeRelativePath("a..b/..c/x.."));
  EXPECT_TRUE(IsSafeRelativePath(platform::Utf8ToGbk("声音/朗读.mp3")));
  for (std::string_view bad :
       {"", "/etc/passwd", "\\x", "C:x", "c:\\x", "..", "../x", "a/../../x", "a\\..\\x", "a/.."}) {
    EXPECT_FALSE(IsSafeRelativePath(bad)) << bad;
  }
  EXPECT_FALSE(IsSafeRelativePath(std::string_view("a\0b", 3)));
  // 0x5C as the second byte of a pair is no separator: "\x95\x5C.." is one
  // character followed by "..", not a ".." component.
  EXPECT_TRUE(IsSafeRelativePath("\x95\x5C.."));
}

TEST(EntryPath, LocalAndExecutablePaths) {
  EXPECT_EQ(LocalPathOf("\\srv\\v\\", "hlg/a/b.xml"), "\\srv\\v\\hlg\\a\\b.xml");
  EXPECT_EQ(ExecutablePathOf("\\v\\Update.ex_", 3), "\\v\\Update");
  EXPECT_EQ(ExecutablePathOf("\\v\\tool", 3), "\\v\\tool");
  EXPECT_EQ(ExecutablePathOf("\\v\\a.b\\tool", 3), "\\v\\a");
  // A '.' in the program folder's own name is not the entry's extension.
  EXPECT_EQ(ExecutablePathOf("\\home\\vanto.d\\tool", 15), "\\home\\vanto.d\\tool");
}

TEST(EntryPath, InstallReplacesTheOldExecutableOnlyByTheMove) {
  vanto::testing::TempFolder folder;
  folder.Write("tool", "old");
  // The delivered file is gone (or cannot be moved): the old one stays.
  EXPECT_FALSE(InstallExecutable(HostPath(folder, "tool.ex_"), HostPath(folder, "tool")));
  EXPECT_EQ(folder.Read("tool"), "old");
  folder.Write("tool.ex_", "new");
  EXPECT_TRUE(InstallExecutable(HostPath(folder, "tool.ex_"), HostPath(folder, "tool")));
  EXPECT_EQ(folder.Read("tool"), "new");
  EXPECT_FALSE(folder.Exists("tool.ex_"));
}

TEST(UpdatedSwitch, OnlyTheFirstSwitchCounts) {
  EXPECT_TRUE(HasUpdatedSwitch({"x", "/UPDATED"}));
  EXPECT_TRUE(HasUpdatedSwitch({"-updated"}));
  EXPECT_FALSE(HasUpdatedSwitch({"/other", "/updated"}));
  EXPECT_FALSE(HasUpdatedSwitch({"updated", "/update"}));
}

}  // namespace
}  // namespace vanto::delivery
