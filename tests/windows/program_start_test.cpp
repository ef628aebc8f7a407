// Starts quillet.exe as a user would and checks the panel it shows.
#include <windows.h>

#include <gtest/gtest.h>

#include "shell/colour.h"
#include "shell/units.h"
#include "tests/support/win_test.h"
#include "win32/dpi.h"
#include "win32/handles.h"

namespace quillet::test {
namespace {

constexpr const wchar_t* kPanelCaption = L"\x3000Quillet";

class RunningProgram {
 public:
  RunningProgram() {
    const std::wstring exe = BinDir() + L"\\quillet.exe";
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    started_ = ::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                nullptr, BinDir().c_str(), &si, &pi) != FALSE;
    if (started_) {
      process_.reset(pi.hProcess);
      ::CloseHandle(pi.hThread);
    }
  }
  ~RunningProgram() {
    if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
      ::TerminateProcess(process_.get(), 99);
    }
  }
  bool started() const { return started_; }
  HANDLE process() const { return process_.get(); }

 private:
  bool started_ = false;
  win::KernelHandle process_;
};

HWND FindPanel() { return ::FindWindowW(nullptr, kPanelCaption); }

TEST(ProgramStart, ShowsTopmostGradientPanelAndEndsWhenClosed) {
  RunningProgram program;
  ASSERT_TRUE(program.started()) << "quillet.exe did not start, error " << ::GetLastError();
  HWND panel = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (panel = FindPanel()) != nullptr && ::IsWindowVisible(panel); }))
      << "no visible window captioned \"\\x3000Quillet\"";

  const int dpi = win::ScreenDpi();
  RECT r{};
  ::GetWindowRect(panel, &r);
  EXPECT_EQ(r.right - r.left, TwipsToPixels(1700, dpi));
  EXPECT_EQ(r.bottom - r.top, TwipsToPixels(4260, dpi));
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(panel, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(panel, GWL_EXSTYLE));
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0u) << "the panel has no frame";
  EXPECT_NE(exStyle & WS_EX_TOPMOST, 0u);

  // Let it paint, then compare the top band with the one below the middle:
  // the gradient darkens downwards by 2 per band in each component.
  ::RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Capture cap;
  ASSERT_TRUE(WaitFor([&] {
    cap = CaptureWindow(panel);
    return !cap.pixels.empty() && cap.At(cap.width / 2, 4) != cap.At(cap.width / 2, cap.height / 2);
  })) << "the panel shows no gradient";
  SaveScreenshot(panel, L"program-start-panel");
  // The rounded region starts 4 pixels in; the first band is 68 twips high.
  const Colour top = cap.At(cap.width / 2, 4);
  EXPECT_EQ(top, MakeColour(0xB4, 0xCD, 0xEB)) << "top band in the first-run background colour";
  const Colour lower = cap.At(cap.width / 2, cap.height - 6);
  EXPECT_GT(RedOf(top) + GreenOf(top) + BlueOf(top), RedOf(lower) + GreenOf(lower) + BlueOf(lower));
  // Every pixel of one row has the band's colour, out to the round corners.
  EXPECT_EQ(cap.At(16, 4), top);
  EXPECT_EQ(cap.At(cap.width - 17, 4), top);

  ::PostMessageW(panel, WM_CLOSE, 0, 0);
  ASSERT_EQ(::WaitForSingleObject(program.process(), 10000), WAIT_OBJECT_0) << "still running";
  DWORD code = 1;
  ::GetExitCodeProcess(program.process(), &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(FindPanel(), nullptr);
}

}  // namespace
}  // namespace quillet::test
