#include "base/file_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/scratch_folder.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

class FileStoreTest : public testing_support::ScratchFolderTest {
 protected:
  void TearDown() override {
    file_store_testing::SetWriteLimit(std::nullopt);
    ScratchFolderTest::TearDown();
  }
};

TEST_F(FileStoreTest, SaveThenReadGivesTheSameBytes) {
  std::string bytes("\"a\"\r\n\0\xFF\xD6\xD0", 9);
  ASSERT_TRUE(ReplaceFileContents(Path("f.dat"), bytes));
  const FileContents back = ReadWholeFile(Path("f.dat"));
  EXPECT_EQ(back.status, FileStatus::Ok);
  EXPECT_EQ(back.bytes, bytes);
  EXPECT_FALSE(fs::exists(TemporaryPathFor(Path("f.dat"))));
  // Replacing with fewer bytes leaves no tail of the old contents.
  ASSERT_TRUE(ReplaceFileContents(Path("f.dat"), "x"));
  EXPECT_EQ(ReadWholeFile(Path("f.dat")).bytes, "x");
}

TEST_F(FileStoreTest, ReadReportsMissingTooLargeAndFolders) {
  EXPECT_EQ(ReadWholeFile(Path("none.dat")).status, FileStatus::NotFound);
  EXPECT_EQ(ReadWholeFile(Path("no-folder/none.dat")).status, FileStatus::NotFound);
  EXPECT_EQ(ReadWholeFile(folder_.Folder()).status, FileStatus::Unreadable);
  PutBytes("big.dat", std::string(1000, 'x'));
  EXPECT_EQ(ReadWholeFile(Path("big.dat"), 999).status, FileStatus::TooLarge);
  EXPECT_EQ(ReadWholeFile(Path("big.dat"), 1000).bytes.size(), 1000u);
}

TEST_F(FileStoreTest, FailedSavesLeaveTheOldFileAndNoTemporaryFile) {
  PutBytes("f.dat", "old contents");
  file_store_testing::SetWriteLimit(5);  // the disk fills up
  std::string error;
  EXPECT_FALSE(ReplaceFileContents(Path("f.dat"), std::string(200000, 'n'), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadWholeFile(Path("f.dat")).bytes, "old contents");
  EXPECT_FALSE(fs::exists(TemporaryPathFor(Path("f.dat"))));
  file_store_testing::SetWriteLimit(std::nullopt);

  fs::create_directory(TemporaryPathFor(Path("f.dat")));  // blocks the temporary file
  EXPECT_FALSE(ReplaceFileContents(Path("f.dat"), "new"));
  EXPECT_EQ(ReadWholeFile(Path("f.dat")).bytes, "old contents");
  EXPECT_FALSE(ReplaceFileContents(Path("missing/f.dat"), "x"));
}
}  // namespace
}  // namespace quillet
