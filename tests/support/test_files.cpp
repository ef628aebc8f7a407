#include "tests/support/test_files.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/win_test.h"

namespace quillet::test {

TempFolder::TempFolder(const wchar_t* name) {
  wchar_t base[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, base);
  static int counter = 0;
  path_ = std::wstring(base) + (name ? std::wstring(name)
                                     : L"quillet-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                           std::to_wstring(++counter));
  ::CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  std::error_code ignored;  // folders the test made inside go too
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  return static_cast<bool>(out << bytes << std::flush);
}

}  // namespace quillet::test
