// quillet.exe started as a user starts it, from a folder of its own: the
// start-up from the stored settings, the refused second copy, the shut-down
// writing the settings or reporting why it could not (and waiting for the
// user to close the message), every window at 144 dpi.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/codepage.h"
#include "base/units.h"
#include "settings/parameters.h"
#include "tests/support/program_runner.h"
#include "tests/support/test_files.h"
#include "tests/support/win_test.h"
#include "win32/handles.h"
#include "win32/text.h"

namespace quillet::test {
namespace {

constexpr const wchar_t* kPanelCaption = L"\x3000Quillet";
constexpr const wchar_t* kHelpCaption = L"\x3000帮助";
constexpr const wchar_t* kMessageCaption = L"Quillet";

ParameterItems Settings(bool docking) {
  ParameterItems items = PanelSettings(3000, 1500);
  items[kParamDocking] = docking ? "1" : "0";
  items[40] = "用户的数据";  // an unused item, kept as read
  return items;
}

TEST(ProgramLifecycle, StartsFromTheFileRefusesASecondCopyAndSavesAtExit) {
  Installation install(Settings(false));
  Process first(install);
  HWND panel = first.WaitWindow(kPanelCaption);
  ASSERT_NE(panel, nullptr);
  // Without a frame (its place: below; its shape and look: main_panel_test).
  EXPECT_EQ(::GetWindowLongPtrW(panel, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0) << "no frame";

  // The second copy shows only the message, leaves the file alone and ends
  // when the message is closed; the first copy goes on untouched.
  Process second(install);
  HWND message = second.WaitWindow(kMessageCaption);
  ASSERT_NE(message, nullptr) << "no message dialog from the second copy";
  EXPECT_EQ(second.Window(kPanelCaption), nullptr);
  EXPECT_TRUE(second.Running()) << "it waits for the message to be closed";
  ::PostMessageW(message, WM_CLOSE, 0, 0);
  EXPECT_EQ(second.WaitExit(), 0);
  EXPECT_EQ(ReadBytes(install.SettingsPath()), install.settingsBytes());
  EXPECT_EQ(first.Window(kPanelCaption), panel);

  // Exit from the first copy: the settings file now holds its position, a
  // move the panel took up as it happened (SetWindowPos returns once the
  // panel has handled it).
  ::SetWindowPos(panel, nullptr, 300, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::PostMessageW(panel, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.WaitExit(), 0);
  const ParameterItems saved = ParseParameters(DecodeCp936(ReadBytes(install.SettingsPath())).utf8);
  EXPECT_EQ(saved[kParamPanelLeft] + "," + saved[kParamPanelTop] + "," + saved[40],
            "4500,2250,用户的数据");
}

TEST(ProgramLifecycle, AnUnreadableSettingsFileIsLeftAloneAndAMissingOneIsWritten) {
  Installation install(Settings(false));
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
    EXPECT_EQ(program.WaitExit(), 0);
  }
  EXPECT_EQ(ReadBytes(install.SettingsPath()), original) << "the user's settings survive";

  // No file at all is a first run, which writes the default settings.
  ::DeleteFileW(install.SettingsPath().c_str());
  Process program(install);
  HWND panel = program.WaitWindow(kPanelCaption);
  ASSERT_NE(panel, nullptr);
  ::PostMessageW(panel, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(), 0);
  const ParameterItems saved = ParseParameters(DecodeCp936(ReadBytes(install.SettingsPath())).utf8);
  EXPECT_EQ(saved[kParamDataFolder], win::Narrow(install.folder())) << "data beside the program";
  EXPECT_EQ(saved[kParamDocking], "1") << "the default settings";
}

TEST(ProgramLifecycle, EveryWindowScalesAt144Dpi) {
  LogicalDpi dpi(144);
  Installation install(Settings(true));
  Process program(install);
  HWND panel = program.WaitWindow(kPanelCaption);
  ASSERT_NE(panel, nullptr);
  RECT r{};
  ::GetWindowRect(panel, &r);
  EXPECT_EQ(r.right - r.left, TwipsToPixels(1700, 144));  // 170; the buttons: shell_layout_test
  EXPECT_EQ(r.left, TwipsToPixels(3000, 144)) << "at the file's place";
  EXPECT_EQ(r.top, TwipsToPixels(1500, 144));
  const std::vector<HWND> buttons = ChildWindows(panel);
  ASSERT_EQ(buttons.size(), 8u);

  // The last button opens the about page, whose help button the viewer.
  PostClick(buttons[7], {3, 3});
  HWND about = program.WaitWindow(L"\x3000版权说明");
  ASSERT_NE(about, nullptr);
  const std::vector<HWND> aboutButtons = ChildWindows(about);
  ASSERT_EQ(aboutButtons.size(), 2u);
  PostClick(aboutButtons[0], {3, 3});
  HWND help = program.WaitWindow(kHelpCaption);
  ASSERT_NE(help, nullptr);
  ::GetClientRect(help, &r);
  EXPECT_EQ(r.right, TwipsToPixels(10020, 144));

  // Docked at the left edge with the cursor on it (the viewer closed first).
  ::PostMessageW(help, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return program.Window(kHelpCaption) == nullptr; }));
  ::SetCursorPos(20, 250);
  ::SetWindowPos(panel, nullptr, 10, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(WaitFor([&] {
    ::GetWindowRect(panel, &r);
    return r.left == TwipsToPixels(-50, 144);
  }));

  // A folder blocks the temporary file: the failed save's message stays until closed.
  ASSERT_TRUE(::CreateDirectoryW((install.SettingsPath() + L".saving").c_str(), nullptr));
  ::PostMessageW(panel, WM_CLOSE, 0, 0);
  HWND message = program.WaitWindow(kMessageCaption);
  ASSERT_NE(message, nullptr) << "the failed save is not reported";
  ::GetWindowRect(message, &r);
  EXPECT_EQ(r.right - r.left, TwipsToPixels(4680, 144));
  SaveRedrawnScreenshot(message, L"settings-not-saved-144dpi");
  EXPECT_TRUE(program.Running());
  ::PostMessageW(message, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(), 0);
}

}  // namespace
}  // namespace quillet::test
