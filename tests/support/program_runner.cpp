#include "tests/support/program_runner.h"

#include <algorithm>
#include <cstdlib>

#include "base/codepage.h"
#include "base/units.h"
#include "settings/default_settings.h"
#include "win32/dpi.h"

namespace quillet::test {

Installation::Installation(const ParameterItems& settings, const wchar_t* folderName)
    : folder_(folderName) {
  for (const wchar_t* name : {L"quillet.exe", L"Lantoc.dll", L"Help.dat", L"Code.dat"}) {
    ::CopyFileW((BinDir() + L"\\" + name).c_str(), folder_.File(name).c_str(), FALSE);
  }
  settingsBytes_ = EncodeCp936(FormatParameters(settings)).bytes;
  WriteBytes(SettingsPath(), settingsBytes_);
}

Process::Process(const std::wstring& exe, const std::wstring& folder) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                       &si, &pi)) {
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
  WaitFor([&] { return (found = Window(caption)) != nullptr; }, kStartWait);
  return found;
}

DateTime ProgramClock::Now() const {
  SYSTEMTIME t{};
  ::GetLocalTime(&t);
  return BuildDateTime(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond + offset_);
}

bool ProgramClock::Set(const DateTime& moment) {
  offset_ += moment.SerialSeconds() - Now().SerialSeconds();
  return WriteBytes(file_, std::to_string(offset_)) &&
         ::SetEnvironmentVariableW(L"QUILLET_CLOCK_FILE", file_.c_str());
}

ParameterItems PanelSettings(int left, int top) {
  ParameterItems settings = DefaultSettings("");
  settings[kParamDocking].assign(1, '0');  // (GCC 12 warns wrongly on = "0" here)
  settings[kParamPanelLeft] = std::to_string(left);
  settings[kParamPanelTop] = std::to_string(top);
  settings[kParamHotKey] = "off";  // tests run side by side: the global key is the hot-key test's
  return settings;
}

POINT TwipsPoint(HWND window, double x, double y, bool toScreen) {
  const int dpi = win::WindowDpi(window);
  POINT p{TwipsToPixels(x, dpi), TwipsToPixels(y, dpi)};
  if (toScreen) ::ClientToScreen(window, &p);
  return p;
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

namespace {
constexpr const wchar_t* kDesktop = L"Control Panel\\Desktop";
}  // namespace

LogicalDpi::LogicalDpi(DWORD dpi) {
  DWORD size = sizeof old_;
  had_ = ::RegGetValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels", RRF_RT_REG_DWORD, nullptr,
                        &old_, &size) == ERROR_SUCCESS;
  ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
}

LogicalDpi::~LogicalDpi() {
  if (had_) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels", REG_DWORD, &old_, sizeof old_);
  } else {
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels");
  }
}

int RunCaptured(const std::wstring& commandLine, const std::wstring& outputPath) {
  // cmd /c drops the outer quotes.
  return ::_wsystem((L"\"" + commandLine + L" > \"" + outputPath + L"\" 2>&1\"").c_str());
}

}  // namespace quillet::test
