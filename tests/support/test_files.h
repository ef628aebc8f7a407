// Temporary folders and whole-file helpers for the Windows-side tests.
#pragma once

#include <string>

namespace quillet::test {

// A fresh empty folder under the system's temporary folder, removed with
// its files when the object goes.
class TempFolder {
 public:
  // A fresh folder in the temporary folder, named `name` when given.
  explicit TempFolder(const wchar_t* name = nullptr);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& path() const { return path_; }
  std::wstring File(const wchar_t* name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

// Whole-file helpers for the tests.
std::string ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);

}  // namespace quillet::test
