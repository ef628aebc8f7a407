// quillet.exe started from a folder of its own: start-up, the refused second
// copy, saving at exit or reporting why not, at 144 dpi.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "base/codepage.h"
#include "base/units.h"
#include "settings/parameters.h"
#include "tests/support/program_runner.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/test_files.h"
#include "tests/support/win_test.h"
#include "win32/handles.h"
#include "win32/text.h"

namespace quillet::test {
namespace {

constexpr const wchar_t* kPanelCaption = L"\x3000Quillet";
constexpr const wchar_t* kMessageCaption = L"Quillet";

ParameterItems Settings() {
  ParameterItems items = PanelSettings(3000, 1500);
  items[kParamDocking] = "0";
  items[40] = "用户的数据";  // an unused item, kept as read
  return items;
}

TEST(ProgramLifecycle, StartsFromTheFileRefusesASecondCopyAndSavesAtExit) {
  Installation install(Settings());
  Process first(install);
  HWND panel = first.WaitWindow(kPanelCaption);
  ASSERT_NE(panel, nullptr);
  // Without a frame (its place: below; its shape and look: main_panel_test).
  EXPECT_EQ(::GetWindowLongPtrW(panel, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0) << "no frame";

  // The second copy shows only the message, leaves the file alone and ends when it is closed.
  Process second(install);
  HWND message = second.WaitWindow(kMessageCaption);
  ASSERT_NE(message, nullptr) << "no message dialog from the second copy";
  EXPECT_EQ(second.Window(kPanelCaption), nullptr);
  EXPECT_TRUE(second.Running()) << "it waits for the message to be closed";
  ::PostMessageW(message, WM_CLOSE, 0, 0);
  EXPECT_EQ(second.WaitExit(), 0);
  EXPECT_EQ(ReadBytes(install.SettingsPath()), install.settingsBytes());
  EXPECT_EQ(first.Window(kPanelCaption), panel);

  // Exit: the file holds the position of a move the panel took up at once.
  ::SetWindowPos(panel, nullptr, 300, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::PostMessageW(panel, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.WaitExit(), 0);
  const ParameterItems saved = ParseParameters(DecodeCp936(ReadBytes(install.SettingsPath())).utf8);
  EXPECT_EQ(saved[kParamPanelLeft] + "," + saved[kParamPanelTop] + "," + saved[40],
            "4500,2250,用户的数据");
}

TEST(ProgramLifecycle, AnUnreadableSettingsFileIsLeftAloneAndAMissingOneIsWritten) {
  Installation install(Settings());
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
  ::DeleteFileW(install.SettingsPath().c_str());  // no file: a first run, written at exit
  Process program(install);
  HWND panel = program.WaitWindow(kPanelCaption);
  ASSERT_NE(panel, nullptr);
  ::PostMessageW(panel, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(), 0);
  EXPECT_EQ(ParseParameters(DecodeCp936(ReadBytes(install.SettingsPath())).utf8)[kParamDocking], "1");
}

TEST(ProgramLifecycle, PanelAndFailedSaveMessageScaleAt144Dpi) {
  LogicalDpi dpi(144);
  Installation install(Settings());
  Process program(install);
  HWND panel = program.WaitWindow(kPanelCaption);
  ASSERT_NE(panel, nullptr);
  RECT r{};
  ::GetWindowRect(panel, &r);
  EXPECT_EQ(r.right - r.left, TwipsToPixels(1700, 144));  // 170; the buttons: shell_layout_test
  EXPECT_EQ((std::array{static_cast<int>(r.left), static_cast<int>(r.top)}),
            (std::array{TwipsToPixels(3000, 144), TwipsToPixels(1500, 144)}));
  EXPECT_EQ(ChildWindows(panel).size(), 8u);

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
