// Writing a document whole: buffering, replacement, and failures that leave
// the previous document as it was.
#include "documents/document_writer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "documents/course_index.h"
#include "documents_test_support.h"

namespace vanto::documents {
namespace {

using testing::FileExists;
using testing::FolderEntries;
using testing::ReadFile;
using testing::WriteFile;

class DocumentWriterTest : public testing::DocumentsTest {};

TEST_F(DocumentWriterTest, WritesTextAcrossBufferBoundariesAndReplacesLongerContent) {
  WriteFile("doc.xml", std::string(20000, 'z'));
  std::string expected;
  int result = WriteDocument("doc.xml", &boxes_, [&](DocumentWriter& w) {
    for (int i = 0; i < 1500; ++i) {
      const std::string piece = "<p>" + std::to_string(i) + "</p>";
      w.Write(piece);
      expected += piece;
    }
    w.Write(std::string_view("cut\0here", 8));  // stops at the NUL
    expected += "cut";
  });
  EXPECT_EQ(result, 1);
  EXPECT_GT(expected.size(), 2 * DocumentWriter::kBufferSize);
  EXPECT_EQ(ReadFile("doc.xml"), expected);
  EXPECT_TRUE(boxes_.file_errors.empty());
  EXPECT_EQ(FolderEntries("."), std::vector<std::string>{"doc.xml"});
}

TEST_F(DocumentWriterTest, AFailedWriteLeavesThePreviousDocumentWhole) {
  WriteFile("doc.xml", "previous");
  int result = WriteDocument("doc.xml", &boxes_, [](DocumentWriter& w) {
    w.Write(std::string(10000, 'n'));  // more than one buffer reached the disk
    throw DocumentFileError{"doc.xml", ENOSPC};
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadFile("doc.xml"), "previous");
  ASSERT_EQ(boxes_.file_errors.size(), 1u);
  EXPECT_EQ(boxes_.file_errors[0].second, ENOSPC);
  EXPECT_EQ(FolderEntries("."), std::vector<std::string>{"doc.xml"});  // no temporary left
}

TEST_F(DocumentWriterTest, AMissingFolderFailsWithAMessageAndCreatesNothing) {
  EXPECT_EQ(WriteRecentDays("hlg\\mouse\\config_mouse.xml", 20230302, &boxes_), 0);
  ASSERT_EQ(boxes_.file_errors.size(), 1u);
  EXPECT_EQ(boxes_.file_errors[0].first, "hlg\\mouse\\config_mouse.xml");
  EXPECT_EQ(boxes_.file_errors[0].second, ENOENT);
  EXPECT_FALSE(FileExists("hlg"));
  EXPECT_TRUE(FolderEntries(".").empty());
}

TEST_F(DocumentWriterTest, ATargetThatCannotBeReplacedFailsAndKeepsIt) {
  std::filesystem::create_directories("main.xml/inside");
  EXPECT_EQ(WriteRecentDays("main.xml", 20230302, &boxes_), 0);
  EXPECT_EQ(boxes_.file_errors.size(), 1u);
  EXPECT_TRUE(FileExists("main.xml/inside"));
  EXPECT_EQ(FolderEntries(".").size(), 1u);
}

}  // namespace
}  // namespace vanto::documents
