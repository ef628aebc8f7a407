// A fresh folder per test in the temporary folder, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace quillet::testing_support {

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& tag) {
    path_ = std::filesystem::temp_directory_path() /
            ("quillet-" + tag + "-" +
             std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string Folder() const { return path_.string(); }
  std::string File(std::string_view name) const { return (path_ / std::string(name)).string(); }

  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Get(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  std::filesystem::path path_;
};

class ScratchFolderTest : public ::testing::Test {
 protected:
  ScratchFolderTest() : folder_("test") {}
  std::string Path(std::string_view name) const { return folder_.File(name); }
  std::string PutBytes(std::string_view name, const std::string& bytes) const {
    const std::string path = Path(name);
    ScratchFolder::Put(path, bytes);
    return path;
  }
  ScratchFolder folder_;
};

}  // namespace quillet::testing_support
