#include "tests/support/program_manifest.h"

#include <fstream>
#include <sstream>

#include "tests/support/win_test.h"

namespace quillet::test {

ProgramManifest::ProgramManifest() : exe_(BinDir() + L"\\quillet.exe"), dir_(BinDir()) {
  ACTCTXW ctx{};
  ctx.cbSize = sizeof ctx;
  ctx.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_ASSEMBLY_DIRECTORY_VALID;
  ctx.lpSource = exe_.c_str();
  ctx.lpResourceName = MAKEINTRESOURCEW(1);
  ctx.lpAssemblyDirectory = dir_.c_str();
  context_ = ::CreateActCtxW(&ctx);
  if (context_ != INVALID_HANDLE_VALUE) active_ = ::ActivateActCtx(context_, &cookie_) != FALSE;
}

ProgramManifest::~ProgramManifest() {
  if (active_) ::DeactivateActCtx(0, cookie_);
  if (context_ != INVALID_HANDLE_VALUE) ::ReleaseActCtx(context_);
}

TempFolder::TempFolder() {
  wchar_t base[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, base);
  static int counter = 0;
  path_ = std::wstring(base) + L"quillet-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
          std::to_wstring(++counter);
  ::CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  WIN32_FIND_DATAW found{};
  HANDLE find = ::FindFirstFileW((path_ + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") ::DeleteFileW((path_ + L"\\" + name).c_str());
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(path_.c_str());
}

std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  out << bytes;
  out.close();
  return static_cast<bool>(out);
}

}  // namespace quillet::test
