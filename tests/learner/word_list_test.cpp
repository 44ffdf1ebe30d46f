// "list.txt" and "list.dat": which copy wins, how each is read, how the record
// file is saved and recovered after an interrupted save.
#include "learner/word_list.h"

#include <sys/stat.h>

#include <cstring>

#include "learner/list_dat_file.h"
#include "learner_fixture.h"

namespace learner_test {
namespace {

using namespace std::chrono_literals;

std::string Le32(std::uint32_t v) {
  return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
          static_cast<char>(v >> 24)};
}

std::string RecordBytes(const std::string& line, int review, int test, int error) {
  std::string bytes(68, '\0');
  std::memcpy(bytes.data(), line.data(), line.size());
  bytes[line.size()] = '\t';
  bytes[65] = static_cast<char>(review);
  bytes[66] = static_cast<char>(test);
  bytes[67] = static_cast<char>(error);
  return bytes;
}

ino_t Inode(const std::string& name) {
  struct stat st {};
  ::stat(name.c_str(), &st);
  return st.st_ino;
}

class WordListTest : public ::testing::Test {
 protected:
  WorkingFolder folder;
  RecordingBoxes boxes;
};

TEST_F(WordListTest, TextLinesBecomeRecords) {
  WriteFile("list.txt", "a\tb\r\n\r\n\nc\n" + std::string(64, 'x') + "\n" + std::string(63, 'y'));
  CStudy study(nullptr, &boxes);
  ASSERT_TRUE(study.LoadWordList());
  ASSERT_EQ(study.word_count, 4u);  // blank lines take no index
  EXPECT_EQ(std::memcmp(study.words[0].line, "a\tb\t\0", 5), 0);
  EXPECT_EQ(std::memcmp(study.words[1].line, "c\t\0", 3), 0);
  EXPECT_EQ(std::string(study.words[2].line, 65), std::string(65, '\0'));  // 64 bytes: no text
  EXPECT_EQ(std::string(study.words[3].line, 65), std::string(63, 'y') + "\t" + '\0');
  EXPECT_EQ(study.list_path.substr(study.list_path.size() - 9), "\\list.dat");
  study.words.clear();  // no save at exit
}

TEST_F(WordListTest, MissingOrEmptyTextFailsAndOnlyMissingIsReported) {
  CStudy study(nullptr, &boxes);
  EXPECT_FALSE(study.LoadWordList());
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_NE(boxes.calls[0].find("list.txt"), std::string::npos);
  WriteFile("list.txt", "\n\r\n");
  EXPECT_FALSE(study.LoadWordList());
  EXPECT_EQ(boxes.calls.size(), 1u);
}

TEST_F(WordListTest, SaveWritesHeaderAndRecords) {
  WriteFile("list.txt", CourseText(3));
  {
    CStudy study;
    ASSERT_TRUE(study.Load("Vanto.ini"));
    study.words[1].test_count = 7;
  }
  const std::string dat = ReadFile("list.dat");
  ASSERT_EQ(dat.size(), 8u + 3 * 68);
  EXPECT_EQ(dat.substr(0, 8), Le32(0x00110606) + Le32(3));
  EXPECT_EQ(dat[8 + 68 + 66], 7);
  EXPECT_FALSE(Exists("list.dat.new"));
}

TEST_F(WordListTest, OlderTextKeepsCountersNewerTextRestartsThem) {
  WriteFile("list.txt", CourseText(3));
  WriteFile("list.dat",
            Le32(0x00110606) + Le32(2) + RecordBytes("r", 1, 2, 3) + RecordBytes("s", 4, 5, 6));
  SetModifiedFromNow("list.txt", -1000h);
  {
    CStudy study;
    ASSERT_TRUE(study.LoadWordList());
    ASSERT_EQ(study.word_count, 2u);
    EXPECT_EQ(study.words[1].error_count, 6);
    study.words.clear();
  }
  SetModifiedFromNow("list.txt", 1000h);
  CStudy study;
  ASSERT_TRUE(study.LoadWordList());
  ASSERT_EQ(study.word_count, 3u);
  EXPECT_EQ(study.words[1].error_count, 0);
  study.words.clear();
}

TEST_F(WordListTest, CompareListTimesOrdersAndTreatsMissingAsEqual) {
  WriteFile("list.txt", "a\n");
  WriteFile("list.dat", "x");
  SetModifiedFromNow("list.txt", -1000h);
  EXPECT_EQ(CompareListTimes("list.txt", "list.dat"), -1);
  SetModifiedFromNow("list.txt", 1000h);
  EXPECT_EQ(CompareListTimes("list.txt", "list.dat"), 1);
  EXPECT_EQ(CompareListTimes("none.txt", "list.dat"), 0);
  EXPECT_EQ(CompareListTimes("list.txt", "none.dat"), 0);
}

// A save rewrites the file in place: same inode, so the creation time that
// the time rule compares stays the first save's.
TEST_F(WordListTest, SaveKeepsTheFileInPlace) {
  WriteFile("list.dat", "old");
  const ino_t before = Inode("list.dat");
  std::vector<WordRecord> records(2);
  ASSERT_EQ(WriteListDat("list.dat", records), 0);
  EXPECT_EQ(Inode("list.dat"), before);
  EXPECT_EQ(ReadFile("list.dat").size(), 8u + 2 * 68);
  ASSERT_EQ(WriteListDat("list.dat", std::vector<WordRecord>(1)), 0);
  EXPECT_EQ(ReadFile("list.dat").size(), 8u + 68);  // cut to the new length
}

TEST_F(WordListTest, SaveErrorIsReportedAndStudyFileStillSaved) {
  WriteFile("list.txt", CourseText(2));
  {
    CStudy study(nullptr, &boxes);
    ASSERT_TRUE(study.Load("Vanto.ini"));
    study.list_path = "no-such-folder\\list.dat";
    study.day = 42;
  }
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_EQ(boxes.calls[0].rfind("file error no-such-folder\\list.dat", 0), 0u);
  EXPECT_NE(ReadFile("Vanto.ini").find("day=42"), std::string::npos);
}

TEST_F(WordListTest, WrongMagicOrZeroCountLoadsNothingAndSavesNothing) {
  for (const std::string& dat : {Le32(0x12345678) + Le32(1) + RecordBytes("a", 1, 1, 1),
                                 Le32(0x00110606) + Le32(0), std::string("\x06\x06")}) {
    WriteFile("list.txt", "a\n");
    SetModifiedFromNow("list.txt", -1000h);
    WriteFile("list.dat", dat);
    {
      CStudy study;
      EXPECT_TRUE(study.Load("Vanto.ini"));
      EXPECT_EQ(study.word_count, 0u);
      EXPECT_TRUE(study.words.empty());
    }
    EXPECT_EQ(ReadFile("list.dat"), dat);
  }
}

TEST_F(WordListTest, TruncatedFileKeepsCompleteRecordsAndZeroesTheRest) {
  const std::string full = RecordBytes("a", 1, 2, 3) + RecordBytes("b", 4, 5, 6);
  WriteFile("list.dat", Le32(0x00110606) + Le32(3) + full.substr(0, 68 + 30));
  std::vector<WordRecord> records;
  ASSERT_EQ(ReadListDat("list.dat", &records), 0);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].error_count, 3);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&records[1]), 68), std::string(68, '\0'));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&records[2]), 68), std::string(68, '\0'));
}

TEST_F(WordListTest, AbsurdCountIsCappedByTheFileSize) {
  WriteFile("list.dat", Le32(0x00110606) + Le32(0xFFFFFFFF) + RecordBytes("a", 1, 2, 3));
  std::vector<WordRecord> records;
  ASSERT_EQ(ReadListDat("list.dat", &records), 0);
  EXPECT_EQ(records.size(), 1200u);  // the course length is the floor of the cap
  EXPECT_EQ(records[0].test_count, 2);

  std::string big = Le32(0x00110606) + Le32(0xFFFFFFFF);
  for (int i = 0; i < 1500; ++i) big += RecordBytes("z", 0, 0, 0);
  big += "xyz";  // a partial record counts, zeroed
  WriteFile("list.dat", big);
  ASSERT_EQ(ReadListDat("list.dat", &records), 0);
  EXPECT_EQ(records.size(), 1501u);
  EXPECT_EQ(records[1500].line[0], '\0');
}

TEST_F(WordListTest, CompleteJournalIsCopiedInPlaceIncompleteIsDropped) {
  const std::string good = Le32(0x00110606) + Le32(1) + RecordBytes("j", 9, 9, 9);
  WriteFile("list.dat", "half-written");
  const ino_t before = Inode("list.dat");
  WriteFile("list.dat.new", good);
  EXPECT_TRUE(RecoverListJournal("list.dat"));
  EXPECT_EQ(ReadFile("list.dat"), good);
  EXPECT_EQ(Inode("list.dat"), before);
  EXPECT_FALSE(Exists("list.dat.new"));

  for (const std::string& bad : {good.substr(0, good.size() - 1), good + "x",
                                 Le32(0x1) + good.substr(4), std::string("\x06")}) {
    WriteFile("list.dat.new", bad);
    EXPECT_FALSE(RecoverListJournal("list.dat"));
    EXPECT_EQ(ReadFile("list.dat"), good);
    EXPECT_FALSE(Exists("list.dat.new"));
  }
}

TEST_F(WordListTest, LoadFinishesAnInterruptedSave) {
  WriteFile("list.txt", "a\n");
  WriteFile("list.dat", Le32(0x00110606) + Le32(1) + RecordBytes("a", 1, 1, 1));
  SetModifiedFromNow("list.txt", -1000h);
  WriteFile("list.dat.new", Le32(0x00110606) + Le32(1) + RecordBytes("a", 2, 2, 2));
  CStudy study;
  ASSERT_TRUE(study.LoadWordList());
  EXPECT_EQ(study.words[0].review_count, 2);
  study.words.clear();
}

}  // namespace
}  // namespace learner_test
