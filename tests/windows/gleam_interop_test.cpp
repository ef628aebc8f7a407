// Gleam in containers that are not the program: the ATL host window class
// of atl.dll, and VBScript run by cscript against a registration in the
// test prefix.
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "lantoc_h.h"
#include "shell/units.h"
#include "tests/support/gleam_test_support.h"
#include "win32/handles.h"

namespace quillet::test {
namespace {

LantocLibrary& Library() {
  static LantocLibrary library;
  return library;
}

using AtlAxWinInitFn = BOOL(WINAPI*)();
using AtlAxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

TEST(GleamInterop, LivesInTheAtlHostWindow) {
  ASSERT_TRUE(Library().loaded());
  HMODULE atl = ::LoadLibraryW(L"atl.dll");
  ASSERT_NE(atl, nullptr);
  auto axInit = reinterpret_cast<AtlAxWinInitFn>(reinterpret_cast<void*>(::GetProcAddress(atl, "AtlAxWinInit")));
  auto axGetControl = reinterpret_cast<AtlAxGetControlFn>(
      reinterpret_cast<void*>(::GetProcAddress(atl, "AtlAxGetControl")));
  ASSERT_NE(axInit, nullptr);
  ASSERT_NE(axGetControl, nullptr);
  ASSERT_TRUE(axInit());

  ProgramManifest manifest;  // the ProgID is found as the program finds it
  ASSERT_TRUE(manifest.active());
  HWND host = CreateHostWindow(200, 100);
  ASSERT_NE(host, nullptr);
  HWND ax = ::CreateWindowExW(0, L"AtlAxWin", L"Lantoc.Gleam", WS_CHILD | WS_VISIBLE, 10, 10, 67,
                              20, host, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(ax, nullptr);
  IUnknown* unknown = nullptr;
  ASSERT_HRESULT_SUCCEEDED(axGetControl(ax, &unknown));
  ASSERT_NE(unknown, nullptr);

  IPersist* persist = nullptr;
  ASSERT_HRESULT_SUCCEEDED(unknown->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&persist)));
  CLSID clsid{};
  persist->GetClassID(&clsid);
  persist->Release();
  EXPECT_TRUE(clsid == CLSID_Gleam);

  // Found by name through the type library, set, and painted in place.
  IDispatch* d = nullptr;
  ASSERT_HRESULT_SUCCEEDED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d)));
  DISPID foreColor = 0;
  LPOLESTR name = const_cast<LPOLESTR>(L"ForeColor");
  ASSERT_HRESULT_SUCCEEDED(d->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &foreColor));
  ASSERT_HRESULT_SUCCEEDED(PutProperty(d, foreColor, LongArg(0x00A0FF)));
  VARIANT text = TextArg(L"ATL");
  ASSERT_HRESULT_SUCCEEDED(PutProperty(d, 0x68030000, text));
  ::VariantClear(&text);

  IOleWindow* window = nullptr;
  ASSERT_HRESULT_SUCCEEDED(unknown->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)));
  HWND button = nullptr;
  ASSERT_HRESULT_SUCCEEDED(window->GetWindow(&button));
  window->Release();
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(::GetParent(button), ax);
  EXPECT_EQ(RenderClient(button).At(20, 0), 0x00A0FFu);

  // Its events reach a sink advised through the container's control.
  FakeSink sink(DIID___Gleam);
  IConnectionPointContainer* points = nullptr;
  ASSERT_HRESULT_SUCCEEDED(unknown->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points)));
  IConnectionPoint* point = nullptr;
  ASSERT_HRESULT_SUCCEEDED(points->FindConnectionPoint(DIID___Gleam, &point));
  points->Release();
  DWORD cookie = 0;
  ASSERT_HRESULT_SUCCEEDED(point->Advise(&sink, &cookie));
  ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  ::SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  EXPECT_EQ(sink.clicks, 1);
  point->Unadvise(cookie);
  point->Release();
  EXPECT_EQ(sink.refs(), 0);

  ::RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  SaveScreenshot(host, L"gleam-atl");
  d->Release();
  unknown->Release();
  ::DestroyWindow(ax);
  EXPECT_FALSE(::IsWindow(button)) << "the ATL host released the control with its window";
  ::DestroyWindow(host);
}

// Runs a command line, its standard output and error into a file; returns
// the exit code, or -1 if it did not start or end within the time.
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

std::string ReadAll(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(GleamInterop, VBScriptCreatesItByNameAndUsesEveryMember) {
  ASSERT_TRUE(Library().loaded());
  // The registration goes into the test prefix, as regsvr32 would do it.
  ASSERT_HRESULT_SUCCEEDED(Library().Register());
  const std::wstring script = DirFromEnv("QUILLET_SOURCE_DIR") + L"\\tests\\windows\\gleam_script.vbs";
  const std::wstring output = ArtifactDir() + L"\\gleam_script.txt";
  const int code = RunCaptured(L"cscript.exe //nologo \"" + script + L"\"", output);
  const std::string printed = ReadAll(output);
  EXPECT_HRESULT_SUCCEEDED(Library().Unregister());
  EXPECT_EQ(code, 0) << printed;
  EXPECT_NE(printed.find("checks done"), std::string::npos) << printed;
  EXPECT_EQ(printed.find("FAIL"), std::string::npos) << printed;
}

}  // namespace
}  // namespace quillet::test
