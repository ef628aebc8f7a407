// The activation context of quillet.exe's embedded manifest, active while
// the object lives: a test process then finds Lantoc.Gleam as the program
// does, with nothing registered.
#pragma once

#include <windows.h>

#include <string>

namespace quillet::test {

class ProgramManifest {
 public:
  ProgramManifest();
  ~ProgramManifest();
  ProgramManifest(const ProgramManifest&) = delete;
  ProgramManifest& operator=(const ProgramManifest&) = delete;
  bool active() const { return active_; }

 private:
  std::wstring exe_;
  std::wstring dir_;
  HANDLE context_ = INVALID_HANDLE_VALUE;
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

// A fresh empty folder under the system's temporary folder, removed with
// its files when the object goes.
class TempFolder {
 public:
  TempFolder();
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
