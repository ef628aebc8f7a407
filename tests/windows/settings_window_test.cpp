// The settings window: a journey in the real program with real input, the
// panel taking the settings at once and at the next start; in this process
// "试听" and a save that fails.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/codepage.h"
#include "forms/message_window.h"
#include "forms/sound_player_win.h"
#include "settings/default_settings.h"
#include "settings/settings_window.h"
#include "tests/support/program_runner.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/win_test.h"
#include "win32/dpi.h"

namespace quillet::test {
namespace {

constexpr const wchar_t* kPanelCaption = L"\x3000Quillet";

void Click(POINT p, int clicks = 1) { ClickTheMouse(p.x, p.y, clicks); }

bool Topmost(HWND window) { return (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

Colour PixelAt(HWND window, double x, double y) {
  const POINT p = TwipsPoint(window, x, y, false);
  return CaptureWindow(window).At(p.x, p.y);
}

// In the program's colour dialog: red, green and blue typed into boxes 706-708, then OK.
void PickColour(DWORD pid, const std::array<int, 3>& rgb, const std::wstring& screenshot) {
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    for (HWND w : TopLevelWindows(pid)) {
      if (::IsWindowVisible(w) && ::GetDlgItem(w, 706) && ::GetDlgItem(w, IDOK)) dialog = w;
    }
    return dialog != nullptr;
  }));
  for (int i = 0; i < 3; ++i) {
    HWND box = ::GetDlgItem(dialog, 706 + i);
    const std::wstring text = std::to_wstring(rgb[static_cast<std::size_t>(i)]);
    ClickTheMouse(box);
    ASSERT_TRUE(WaitFor([&] { return FocusIn(dialog) == box; }));
    PressKey(VK_END);
    PressKey(VK_HOME, true);
    TypeText(text);
    ASSERT_TRUE(WaitFor([&] { return ControlText(box) == text; })) << i;
  }
  SaveScreenshot(dialog, screenshot);
  ClickTheMouse(::GetDlgItem(dialog, IDOK));
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
}

TEST(SettingsJourney, AColourSwitchesAndANewDataFolderTakeEffectAtOnceAndAtTheNextStart) {
  Installation install(PanelSettings(3000, 1500));
  const std::wstring newFolder = install.folder() + L"\\新数据";
  ASSERT_TRUE(::CreateDirectoryW(newFolder.c_str(), nullptr));
  ASSERT_TRUE(WriteBytes(install.folder() + L"\\schedule.dat", "records"));
  auto program = std::make_unique<Process>(install);
  HWND panel = program->WaitWindow(kPanelCaption);
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(Topmost(panel));
  ClickTheMouse(ChildWindows(panel).at(6));  // "我的个性设置"
  HWND window = program->WaitWindow(L"\x3000个人设置");
  ASSERT_NE(window, nullptr);
  const std::wstring dpi = std::to_wstring(win::WindowDpi(window)) + L"dpi";
  SaveRedrawnScreenshot(window, L"settings-window-" + dpi);

  // "背景颜色": its box opens the colour dialog on a press.
  const Colour picked = MakeColour(200, 120, 40);
  Click(TwipsPoint(window, 4560 + 547, 1800 + 112));
  PickColour(program->Id(), {200, 120, 40}, L"settings-colour-dialog-" + dpi);
  EXPECT_TRUE(WaitFor([&] { return PixelAt(window, 4560 + 547, 1800 + 112) == picked; }));
  for (HWND box = nullptr; (box = ::FindWindowExW(window, box, L"Button", nullptr));) {
    if (ControlText(box) == L"主面板总在最前面" || ControlText(box) == L"在任务栏显示图标") ClickTheMouse(box);
  }
  // The folder list: a double-click opens the folder below the program's, Backspace goes
  // back up, the down arrow chooses it again; the path box follows each time.
  HWND list = ::FindWindowExW(window, nullptr, L"ListBox", nullptr);
  HWND path = ::FindWindowExW(window, ::FindWindowExW(window, nullptr, L"Edit", nullptr), L"Edit", nullptr);
  const auto line = static_cast<int>(::SendMessageW(list, LB_GETCURSEL, 0, 0)) + 1 -
                    static_cast<int>(::SendMessageW(list, LB_GETTOPINDEX, 0, 0));
  const auto height = static_cast<int>(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  POINT p{20, line * height + height / 2};
  ::ClientToScreen(list, &p);
  const auto shows = [&](const std::wstring& folder) { return WaitFor([&] { return ControlText(path) == folder; }); };
  Click(p, 2);
  EXPECT_TRUE(shows(newFolder));
  PressKey(VK_BACK);
  EXPECT_TRUE(shows(install.folder()));
  PressKey(VK_DOWN);
  EXPECT_TRUE(shows(newFolder));

  Click(TwipsPoint(window, 960 + 862, 4200 + 202));  // "保　　存"
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(window); }));
  EXPECT_TRUE(WaitFor([&] { return !Topmost(panel); })) << "still on top";
  // The gradient in the new colour, bands 2 darker each; no tray picture in the fourth.
  EXPECT_TRUE(WaitFor([&] { return PixelAt(panel, 850, 120) == DarkenColour(picked, 2); }));
  EXPECT_EQ(PixelAt(panel, 1200, 230), DarkenColour(picked, 6)) << "no tray picture";
  // The data file was carried over and the user told (what is copied: settings_test).
  EXPECT_NE(program->WaitWindow(L"Quillet"), nullptr);
  EXPECT_EQ(ReadBytes(newFolder + L"\\schedule.dat"), "records");
  const ParameterItems saved = ParseParameters(DecodeCp936(ReadBytes(install.SettingsPath())).utf8);
  EXPECT_EQ(saved[kParamDataFolder], win::Narrow(newFolder));
  EXPECT_EQ(saved[kParamOnTop] + saved[kParamTrayButton], "00");
  EXPECT_EQ(saved[kParamBackground], ColourText(picked));

  ::PostMessageW(panel, WM_CLOSE, 0, 0);
  EXPECT_EQ(program->WaitExit(), 0);
  program = std::make_unique<Process>(install);
  ASSERT_NE(panel = program->WaitWindow(kPanelCaption), nullptr);
  EXPECT_FALSE(Topmost(panel)) << "the switch holds at the next start";
}

using SettingsWindowTest = ShellFixture;

TEST_F(SettingsWindowTest, TrialPlaysWhileTheWindowWorksAndAFailedSaveKeepsItOpen) {
  // "试听" with the delivered chime: it ends by itself; a second press, or
  // closing the window, stops it.
  Parameters[kParamSoundFile] = win::Narrow(BinDir() + L"\\" + win::Widen(kDeliveredSoundFile));
  ShowSettingsWindow(program_, nullptr);
  SettingsWindow& window = TheForm<SettingsWindow>();
  window.ClickButton(SettingsWindow::kTrialButton);
  EXPECT_TRUE(window.TrialPlaying());
  EXPECT_TRUE(WaitFor([&] { return !window.TrialPlaying(); }));
  EXPECT_FALSE(ProgramSoundPlayer().IsOpen());
  window.ClickButton(SettingsWindow::kTrialButton);
  window.ClickButton(SettingsWindow::kTrialButton);
  EXPECT_FALSE(ProgramSoundPlayer().IsOpen());
  window.ClickButton(SettingsWindow::kTrialButton);
  window.ClickButton(SettingsWindow::kCancelButton);
  EXPECT_FALSE(ProgramSoundPlayer().IsOpen());

  ProgramFolder = win::Narrow(folder_.File(L"没有的文件夹"));
  ShowSettingsWindow(program_, nullptr);
  window.ClickButton(SettingsWindow::kSaveButton);
  EXPECT_TRUE(window.IsShown());
  EXPECT_EQ(TheForm<MessageWindow>().Text().rfind("无法保存设置文件 " + ProgramFolder, 0), 0u);
}

}  // namespace
}  // namespace quillet::test
