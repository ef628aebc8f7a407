#include "tests/support/program_runner.h"

#include <algorithm>

#include "base/codepage.h"
#include "tests/support/win_test.h"

namespace quillet::test {

Installation::Installation(const ParameterItems& settings) {
  for (const wchar_t* name : {L"quillet.exe", L"Lantoc.dll", L"Help.dat"}) {
    ::CopyFileW((BinDir() + L"\\" + name).c_str(), folder_.File(name).c_str(), FALSE);
  }
  settingsBytes_ = EncodeCp936(FormatParameters(settings)).bytes;
  WriteBytes(SettingsPath(), settingsBytes_);
}

Process::Process(const Installation& install) {
  std::wstring commandLine = L"\"" + install.Exe() + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (::CreateProcessW(install.Exe().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                       nullptr, install.folder().c_str(), &si, &pi)) {
    handle_.reset(pi.hProcess);
    id_ = pi.dwProcessId;
    ::CloseHandle(pi.hThread);
  }
}

Process::~Process() {
  if (Running()) ::TerminateProcess(handle_.get(), 99);
  if (handle_) ::WaitForSingleObject(handle_.get(), 5000);
}

bool Process::Running() const {
  return handle_ && ::WaitForSingleObject(handle_.get(), 0) == WAIT_TIMEOUT;
}

long Process::WaitExit(DWORD ms) const {
  if (::WaitForSingleObject(handle_.get(), ms) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  ::GetExitCodeProcess(handle_.get(), &code);
  return static_cast<long>(code);
}

HWND Process::Window(const wchar_t* caption) const {
  for (HWND hwnd : TopLevelWindows(id_, caption)) {
    if (::IsWindowVisible(hwnd)) return hwnd;
  }
  return nullptr;
}

HWND Process::WaitWindow(const wchar_t* caption) const {
  HWND found = nullptr;
  WaitFor([&] { return (found = Window(caption)) != nullptr; });
  return found;
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> children;
  ::EnumChildWindows(
      parent,
      [](HWND child, LPARAM lp) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  std::sort(children.begin(), children.end(), [](HWND a, HWND b) {
    RECT ra{}, rb{};
    ::GetWindowRect(a, &ra);
    ::GetWindowRect(b, &rb);
    return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
  });
  return children;
}

LogicalDpi::LogicalDpi(DWORD dpi) {
  ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                    KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
  DWORD size = sizeof old_;
  had_ = ::RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_),
                            &size) == ERROR_SUCCESS;
  ::RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                   sizeof dpi);
}

LogicalDpi::~LogicalDpi() {
  if (had_) {
    ::RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_),
                     sizeof old_);
  } else {
    ::RegDeleteValueW(key_, L"LogPixels");
  }
  ::RegCloseKey(key_);
}

int RunCaptured(std::wstring commandLine, const std::wstring& outputPath) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  win::KernelHandle out(::CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (out.get() == INVALID_HANDLE_VALUE) {
    out.release();
    return -1;
  }
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = out.get();
  si.hStdError = out.get();
  si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &si, &pi)) {
    return -1;
  }
  win::KernelHandle process(pi.hProcess);
  ::CloseHandle(pi.hThread);
  if (::WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.get(), 99);
    return -1;
  }
  DWORD code = 0;
  ::GetExitCodeProcess(process.get(), &code);
  return static_cast<int>(code);
}


}  // namespace quillet::test
