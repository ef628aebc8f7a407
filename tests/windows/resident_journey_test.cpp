// The program as a resident tool, through real input where Wine lets it:
// the command menu of the tray icon and, with the tray picture off, of the
// date strip, ticking and unticking start at log-on in the Run key; a
// backup that fails is told once while the saves go on.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "shell/autostart_win.h"
#include "shell/tray_win.h"
#include "tests/support/program_runner.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/test_files.h"
#include "tests/support/win_test.h"

namespace quillet::test {
namespace {

constexpr const wchar_t* kPanelCaption = L"\x3000Quillet";

std::optional<std::wstring> RunValue() {
  wchar_t text[1024] = {};
  DWORD size = sizeof text;
  if (::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, text, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(text);
}

// The program's open popup menu.
HWND OpenMenu(const Process& program, std::chrono::milliseconds wait = kWait) {
  HWND found = nullptr;
  WaitFor([&] {
    for (HWND w : TopLevelWindows(program.Id())) {
      wchar_t cls[16] = {};
      ::GetClassNameW(w, cls, 16);
      if (std::wstring(cls) == L"#32768" && ::IsWindowVisible(w)) found = w;
    }
    return found != nullptr;
  }, wait);
  return found;
}

// Picks an item of the open menu with the keyboard: `key` pressed `times`
// (down from the top, or up from the bottom), then Enter.
// False when no menu came to the front to take them, or it stayed.
bool Pick(const Process& program, WORD key, int times) {
  HWND menu = OpenMenu(program);
  if (!menu) return false;
  // Keys go to the foreground thread: the program's, in its menu loop.
  const DWORD thread = ::GetWindowThreadProcessId(menu, nullptr);
  if (!WaitFor([&] { return ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr) == thread; })) {
    return false;
  }
  for (int i = 0; i < times; ++i) PressKey(key);
  PressKey(VK_RETURN);
  return WaitFor([&] { return !::IsWindowVisible(menu); });
}

void RightClick(POINT at) {
  MoveTheMouse(at.x, at.y);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  ::SendInput(2, in, sizeof in[0]);
}

TEST(ResidentJourney, StartAtLogOnFromTheTrayMenuAndFromTheDateStrip) {
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
  Installation install(PanelSettings(3000, 1500));
  const std::wstring quoted = L"\"" + install.Exe() + L"\"";
  {
    Process program(install);
    HWND panel = program.WaitWindow(kPanelCaption);
    ASSERT_NE(panel, nullptr);
    const POINT tray = TwipsPoint(panel, 1050 + 150, 80 + 150);
    ClickTheMouse(tray.x, tray.y);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(panel); }));
    // Wine's notification area under Xvfb shows no icon that input could
    // reach: the shell's right-click message goes to the panel instead.
    // Right after the panel hides, Wine may still move the activation and
    // close a menu at once: the click is sent again until a menu stays.
    const auto iconMenu = [&] {
      for (int tries = 0; tries < 3; ++tries) {
        ::PostMessageW(panel, kTrayCallbackMessage, kTrayIconId, WM_RBUTTONUP);
        if (OpenMenu(program, std::chrono::seconds(5))) return;
      }
    };
    // The first menu after the panel hid may lose its keys to the activation
    // Wine moves: until the value is there, the pick is made again.
    bool ticked = false;
    for (int tries = 0; tries < 3 && !ticked; ++tries) {
      iconMenu();
      Pick(program, VK_DOWN, 2);  // 开机时自动启动 (the value tells whether it was taken)
      ticked = WaitFor([&] { return RunValue() == quoted; });
    }
    EXPECT_TRUE(ticked) << "ticked: the quoted path";
    // Another tool removes it: the menu's mark follows the registry, so
    // picking it ticks again.
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
    iconMenu();
    EXPECT_TRUE(Pick(program, VK_DOWN, 2));
    EXPECT_TRUE(WaitFor([&] { return RunValue() == quoted; })) << "ticked again";
    iconMenu();
    EXPECT_TRUE(Pick(program, VK_DOWN, 2));
    EXPECT_TRUE(WaitFor([&] { return !RunValue(); })) << "unticked: the value goes";
    iconMenu();
    EXPECT_TRUE(Pick(program, VK_DOWN, 1));  // 显示主面板
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(panel) != FALSE; }));
    ::PostMessageW(panel, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(), 0);
  }
  // Without the tray picture the date strip has the menu; 退出 ends the program.
  ParameterItems noTray = PanelSettings(3000, 1500);
  noTray[kParamTrayButton] = "0";
  Installation second(noTray);
  Process program(second);
  HWND panel = program.WaitWindow(kPanelCaption);
  ASSERT_NE(panel, nullptr);
  RightClick(TwipsPoint(panel, 1550, 2500));
  EXPECT_TRUE(Pick(program, VK_DOWN, 2));
  EXPECT_TRUE(WaitFor([&] { return RunValue() == L"\"" + second.Exe() + L"\""; }));
  RightClick(TwipsPoint(panel, 1550, 2500));
  EXPECT_TRUE(Pick(program, VK_UP, 1));  // 退出, the last item
  EXPECT_EQ(program.WaitExit(), 0);
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
}

TEST(ResidentJourney, ABackupThatFailsIsToldOnceAndTheSavesGoOn) {
  Installation install(PanelSettings(3000, 1500));
  // A file where the backup folder would be: no copy can be made.
  ASSERT_TRUE(WriteBytes(install.folder() + L"\\备份", ""));
  const std::wstring timer = install.folder() + L"\\timer.dat";
  // Long overdue and daily: each tick that finds it so rings it and writes its next day.
  const std::string overdue = "\"x\"\r\n\"2020\"\r\n\"1\"\r\n\"1\"\r\n\"8\"\r\n\"0\"\r\n\"0\"\r\n"
                              "\"\xC3\xBF\xCC\xEC\xCC\xE1\xD0\xD1\"\r\n\"\"\r\n\"\"\r\n"
                              "\"2020-1-1 8:00:00\"\r\n";
  ASSERT_TRUE(WriteBytes(timer, overdue));
  Process program(install);
  ASSERT_NE(program.WaitWindow(kPanelCaption), nullptr);
  HWND message = program.WaitWindow(L"Quillet");
  ASSERT_NE(message, nullptr) << "the failed backup is told";
  ::PostMessageW(message, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(message); }));
  // Two saves after the one that told: they go on, and the message does not come again.
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(WaitFor([&] { return ReadBytes(timer) != overdue; })) << "the saves go on";
    ASSERT_TRUE(WriteBytes(timer, overdue));
  }
  ASSERT_TRUE(WaitFor([&] { return ReadBytes(timer) != overdue; }));
  EXPECT_TRUE(TopLevelWindows(program.Id(), L"Quillet").empty() ||
              !::IsWindowVisible(TopLevelWindows(program.Id(), L"Quillet")[0]))
      << "told once";
}

}  // namespace
}  // namespace quillet::test
