// A fresh, empty folder for each test that reads or writes files; removed
// afterwards with everything in it.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace quillet::test {

class TempFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("quillet-" +
            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
            testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Path(std::string_view name) const { return (dir_ / std::string(name)).string(); }
  // Writes bytes as they are to the file name in the folder; returns its path.
  std::string PutBytes(std::string_view name, const std::string& bytes) const {
    const std::string path = Path(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  std::filesystem::path dir_;
};

}  // namespace quillet::test
