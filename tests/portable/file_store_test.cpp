#include "shell/file_store.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace quillet {
namespace {

namespace fs = std::filesystem;

class FileStoreTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("quillet-store-" +
            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
            testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    file_store_testing::SetWriteLimit(std::nullopt);
    fs::remove_all(dir_);
  }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  fs::path dir_;
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
  EXPECT_EQ(ReadWholeFile(dir_.string()).status, FileStatus::Unreadable);
  Put(Path("big.dat"), std::string(1000, 'x'));
  EXPECT_EQ(ReadWholeFile(Path("big.dat"), 999).status, FileStatus::TooLarge);
  EXPECT_EQ(ReadWholeFile(Path("big.dat"), 1000).bytes.size(), 1000u);
}

TEST_F(FileStoreTest, FullDiskLeavesTheOldFileIntact) {
  Put(Path("f.dat"), "old contents");
  file_store_testing::SetWriteLimit(5);
  std::string error;
  EXPECT_FALSE(ReplaceFileContents(Path("f.dat"), std::string(200000, 'n'), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadWholeFile(Path("f.dat")).bytes, "old contents");
  EXPECT_FALSE(fs::exists(TemporaryPathFor(Path("f.dat"))));
}

TEST_F(FileStoreTest, TemporaryFileThatCannotBeCreatedFailsTheSave) {
  Put(Path("f.dat"), "old");
  fs::create_directory(TemporaryPathFor(Path("f.dat")));  // blocks the temporary file
  EXPECT_FALSE(ReplaceFileContents(Path("f.dat"), "new"));
  EXPECT_EQ(ReadWholeFile(Path("f.dat")).bytes, "old");
  EXPECT_FALSE(ReplaceFileContents(Path("missing/f.dat"), "x"));
}


}  // namespace
}  // namespace quillet
