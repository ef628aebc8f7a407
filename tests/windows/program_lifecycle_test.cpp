// quillet.exe started as a user starts it, from a folder of its own: the
// start-up from the stored settings and its look on the screen, the refused
// second copy, the shut-down writing the settings, and every window at 144 dpi.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/codepage.h"
#include "base/units.h"
#include "settings/default_settings.h"
#include "settings/parameters.h"
#include "tests/support/program_runner.h"
#include "tests/support/test_files.h"
#include "tests/support/win_test.h"
#include "win32/handles.h"
#include "win32/text.h"

namespace quillet::test {
namespace {

constexpr const wchar_t* kPanelCaption = L"\x3000Quillet";
constexpr const wchar_t* kAboutCaption = L"\x3000版权说明";
constexpr const wchar_t* kHelpCaption = L"\x3000帮助";
constexpr const wchar_t* kMessageCaption = L"Quillet";

void Click(HWND button) {
  ::PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  ::PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

ParameterItems Settings(int left, int top, bool docking) {
  ParameterItems items = DefaultSettings("");
  items[kParamPanelLeft] = std::to_string(left);
  items[kParamPanelTop] = std::to_string(top);
  items[kParamDocking] = docking ? "1" : "0";
  items[40] = "用户的数据";  // an unused item, kept as read
  return items;
}

TEST(ProgramLifecycle, StartsFromTheFileRefusesASecondCopyAndSavesAtExit) {
  Installation install(Settings(3000, 1500, false));
  Process first(install);
  ASSERT_TRUE(first.started());
  HWND panel = first.WaitWindow(kPanelCaption);
  ASSERT_NE(panel, nullptr);
  RECT r{};
  ::GetWindowRect(panel, &r);
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.top, 100);
  EXPECT_EQ(r.right - r.left, 113);
  EXPECT_EQ(r.bottom - r.top, 284);
  EXPECT_NE(::GetWindowLongPtrW(panel, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(::GetWindowLongPtrW(panel, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0) << "no frame";
  EXPECT_EQ(RegionBox(panel).left, 4);
  EXPECT_EQ(RegionBox(panel).top, 4);
  EXPECT_EQ(ChildWindows(panel).size(), 8u);
  // On the screen: the top band (4 pixels in, below the rounded corners) in
  // the background colour of the file out to the corners, darker below.
  ::RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Capture cap;
  EXPECT_TRUE(WaitFor([&] {
    cap = CaptureWindow(panel);
    return cap.At(cap.width / 2, 4) == kDefaultBackground;
  })) << "top band 0x" << std::hex << cap.At(cap.width / 2, 4);
  const Colour top = cap.At(cap.width / 2, 4), lower = cap.At(cap.width / 2, cap.height - 6);
  EXPECT_GT(RedOf(top) + GreenOf(top) + BlueOf(top), RedOf(lower) + GreenOf(lower) + BlueOf(lower));
  EXPECT_EQ(cap.At(16, 4), top);
  EXPECT_EQ(cap.At(cap.width - 17, 4), top);

  // The second copy shows only the message, leaves the file alone and ends
  // when the message is closed; the first copy goes on untouched.
  Process second(install);
  ASSERT_TRUE(second.started());
  HWND message = second.WaitWindow(kMessageCaption);
  ASSERT_NE(message, nullptr) << "no message dialog from the second copy";
  EXPECT_EQ(second.Window(kPanelCaption), nullptr);
  SaveRedrawnScreenshot(message, L"second-copy-message-96dpi", std::chrono::milliseconds(200));
  EXPECT_TRUE(second.Running()) << "it waits for the message to be closed";
  ::PostMessageW(message, WM_CLOSE, 0, 0);
  EXPECT_EQ(second.WaitExit(10000), 0);
  EXPECT_EQ(ReadBytes(install.SettingsPath()), install.settingsBytes());
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(first.Window(kPanelCaption), panel);
  ::GetWindowRect(panel, &r);
  EXPECT_EQ(r.left, 200);

  // Exit from the first copy: the settings file now holds its position.
  ::SetWindowPos(panel, nullptr, 300, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  WaitFor([] { return false; }, std::chrono::milliseconds(200));  // a docking tick takes it up
  ::PostMessageW(panel, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.WaitExit(10000), 0);
  const ParameterItems saved = ParseParameters(DecodeCp936(ReadBytes(install.SettingsPath())).utf8);
  EXPECT_EQ(saved[kParamPanelLeft], "4500");
  EXPECT_EQ(saved[kParamPanelTop], "2250");
  EXPECT_EQ(saved[40], "用户的数据");
}

TEST(ProgramLifecycle, FirstRunWithoutSettingsFileUsesTheDefaultSkinAndWritesTheFile) {
  Installation install(Settings(0, 0, false));
  ::DeleteFileW(install.SettingsPath().c_str());
  Process program(install);
  HWND panel = program.WaitWindow(kPanelCaption);
  ASSERT_NE(panel, nullptr);
  ::PostMessageW(panel, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(10000), 0);
  const ParameterItems saved = ParseParameters(DecodeCp936(ReadBytes(install.SettingsPath())).utf8);
  EXPECT_EQ(saved[kParamDataFolder], win::Narrow(install.folder())) << "data beside the program";
  EXPECT_EQ(ColourFromText(saved[kParamBackground]), kDefaultBackground);
  EXPECT_EQ(saved[kParamDocking], "1");
}

TEST(ProgramLifecycle, AnUnreadableSettingsFileIsLeftAsItWas) {
  Installation install(Settings(3000, 1500, false));
  const std::string original = ReadBytes(install.SettingsPath());
  {
    // Held open without sharing while the program starts: it cannot read it.
    win::KernelHandle lock(::CreateFileW(install.SettingsPath().c_str(), GENERIC_READ, 0, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(lock.get(), INVALID_HANDLE_VALUE);
    Process program(install);
    HWND panel = program.WaitWindow(kPanelCaption);
    ASSERT_NE(panel, nullptr) << "the program runs on the first-run settings";
    lock.reset();
    ::PostMessageW(panel, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(10000), 0);
  }
  EXPECT_EQ(ReadBytes(install.SettingsPath()), original) << "the user's settings survive";
}

TEST(ProgramLifecycle, EveryWindowScalesAt144Dpi) {
  LogicalDpi dpi(144);
  Installation install(Settings(3000, 1500, true));
  Process program(install);
  HWND panel = program.WaitWindow(kPanelCaption);
  ASSERT_NE(panel, nullptr);
  RECT r{};
  ::GetWindowRect(panel, &r);
  EXPECT_EQ(r.right - r.left, TwipsToPixels(1700, 144));  // 170
  EXPECT_EQ(r.bottom - r.top, TwipsToPixels(4260, 144));  // 426
  EXPECT_EQ(r.left, TwipsToPixels(3000, 144));
  EXPECT_EQ(RegionBox(panel).left, 4);
  const std::vector<HWND> buttons = ChildWindows(panel);
  ASSERT_EQ(buttons.size(), 8u);
  RECT b{};
  ::GetWindowRect(buttons[0], &b);
  EXPECT_EQ(b.right - b.left, TwipsToPixels(1300, 144));
  ::SetCursorPos(r.left + 50, r.top + 50);
  SaveRedrawnScreenshot(panel, L"main-panel-free-144dpi", std::chrono::milliseconds(300));

  // The last button opens the about page, whose help button the viewer.
  Click(buttons[7]);
  HWND about = program.WaitWindow(kAboutCaption);
  ASSERT_NE(about, nullptr);
  ::GetWindowRect(about, &r);
  EXPECT_EQ(r.right - r.left, TwipsToPixels(5625, 144));
  EXPECT_EQ(r.bottom - r.top, TwipsToPixels(3045, 144));
  SaveRedrawnScreenshot(about, L"about-page-144dpi", std::chrono::milliseconds(300));
  const std::vector<HWND> aboutButtons = ChildWindows(about);
  ASSERT_EQ(aboutButtons.size(), 2u);
  Click(aboutButtons[0]);
  HWND help = program.WaitWindow(kHelpCaption);
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(WaitFor([&] { return program.Window(kAboutCaption) == nullptr; }));
  ::GetClientRect(help, &r);
  EXPECT_EQ(r.right, TwipsToPixels(10020, 144));
  SaveRedrawnScreenshot(help, L"help-viewer-144dpi", std::chrono::milliseconds(300));

  // A second copy's message dialog at 144 dpi.
  Process second(install);
  HWND message = second.WaitWindow(kMessageCaption);
  ASSERT_NE(message, nullptr);
  ::GetWindowRect(message, &r);
  EXPECT_EQ(r.right - r.left, TwipsToPixels(4680, 144));
  SaveRedrawnScreenshot(message, L"second-copy-message-144dpi", std::chrono::milliseconds(300));
  ::PostMessageW(message, WM_CLOSE, 0, 0);
  EXPECT_EQ(second.WaitExit(10000), 0);

  // Docked at the left edge with the cursor on it (the viewer closed first).
  ::PostMessageW(help, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return program.Window(kHelpCaption) == nullptr; }));
  ::SetCursorPos(20, 250);
  ::SetWindowPos(panel, nullptr, 10, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(WaitFor([&] {
    ::GetWindowRect(panel, &r);
    return r.left == TwipsToPixels(-50, 144);
  }, std::chrono::seconds(3)));
  ::RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  WaitFor([] { return false; }, std::chrono::milliseconds(200));
  SaveVisiblePart(panel, L"main-panel-docked-left-144dpi");
  ::PostMessageW(panel, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(10000), 0);
}

}  // namespace
}  // namespace quillet::test
