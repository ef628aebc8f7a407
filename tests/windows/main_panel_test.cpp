// The main panel in this process: buttons, docking, date, corner and tray pictures, shut-down.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/dates.h"
#include "base/units.h"
#include "forms/message_window.h"
#include "settings/parameters.h"
#include "shell/main_window.h"
#include "shell/navigation.h"
#include "shell/tray_win.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/test_files.h"
#include "tests/support/win_test.h"
#include "win32/text.h"

namespace quillet::test {
namespace {

// A window of another subsystem, known only by its caption, noting when it
// unloads and what paramter.dat held then.
class StandInForm : public Form {
 public:
  StandInForm(const char* caption, std::vector<std::string>* unloads)
      : Form(WindowDef{caption, 1500, 900, {}}, FormStyle{.topmost = false}), unloads_(unloads) {}
  bool Load() { return LoadForm(); }
  std::string fileAtUnload;

 protected:
  void Paint(const PaintTarget& target) override { PaintGradient(target, 0x808080, true, 2); }
  void OnUnload() override {
    unloads_->push_back(Definition().caption);
    fileAtUnload = ReadBytes(win::Widen(ParameterFilePath(program().state.ProgramFolder)));
  }

 private:
  std::vector<std::string>* unloads_;
};

bool TrayIconPresent(HWND hwnd) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = hwnd;
  data.uID = kTrayIconId;
  data.uFlags = NIF_TIP;
  wcscpy(data.szTip, L"Quillet");
  return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

SYSTEMTIME TimeOn(const CivilDate& d, int hour = 12, int minute = 0, int second = 0, int ms = 0) {
  return {WORD(d.year), WORD(d.month), 0, WORD(d.day), WORD(hour), WORD(minute), WORD(second), WORD(ms)};
}

// Ticks of the panel's docking timer while this thread waits for cond (by
// default: six ticks of a timer of its own as fast); -1 if it never holds.
int DockingTicks(HWND panel, const std::function<bool()>& cond = {}) {
  int ticks = 0, own = 0;
  const UINT_PTR timer = cond ? 0 : ::SetTimer(nullptr, 0, MainWindow::kDockMs, nullptr);
  const bool held = WaitFor(cond ? cond : [&] { return own >= 6; }, kWait, [&](const MSG& m) {
    ticks += m.message == WM_TIMER && m.hwnd == panel && m.wParam == MainWindow::kDockTimer;
    own += m.message == WM_TIMER && !m.hwnd && m.wParam == timer;
  });
  if (timer) ::KillTimer(nullptr, timer);
  return held ? ticks : -1;
}

class MainPanel : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    ProgramNavigation() = Navigation{};
    ::SetCursorPos(640, 1000);  // out of the way
  }
  void TearDown() override {
    panel().SetClock(nullptr);
    if (panel().IsLoaded()) RemoveTrayIcon(panel().hwnd());
    ShellFixture::TearDown();
  }
  static MainWindow& panel() { return TheForm<MainWindow>(); }
  static int Left() { return panel().Position().left; }
};

TEST_F(MainPanel, IdlePanelSleepsButForTheReminderTickAndTheStripStillBringsItOut) {
  Parameters[kParamDocking] = "1";
  int checks = 0;
  ProgramNavigation().checkDueReminders = [&] { ++checks; };
  ASSERT_TRUE(panel().Start(program_, 3000, 1500));
  EXPECT_EQ(checks, 0);
  EXPECT_EQ(DockingTicks(panel().hwnd(), [&] { return checks == 1; }), 0) << "free, up to the reminder tick";
  panel().SetPosition(100, 1500);  // within the snap distance the ticks run: snapped, hidden
  ASSERT_TRUE(WaitFor([] { return Left() == -1590; }));
  EXPECT_EQ(DockingTicks(panel().hwnd()), 0) << "hidden";
  MoveTheMouse(1, 200);  // onto the strip left visible
  ASSERT_TRUE(WaitFor([] { return Left() == -50; }));
  MoveTheMouse(40, 115);  // onto the title strip, off the buttons
  EXPECT_EQ(DockingTicks(panel().hwnd()), 0) << "shown";
  MoveTheMouse(640, 1000);
  EXPECT_TRUE(WaitFor([] { return Left() == -1590; }));
  Parameters[kParamDocking] = "0";
  ::InvalidateRect(panel().hwnd(), nullptr, FALSE);  // as the settings window does
  EXPECT_TRUE(WaitFor([] { return Left() == 0; }));
  EXPECT_EQ(DockingTicks(panel().hwnd()), 0) << "off";
}

TEST_F(MainPanel, LongestDateTextStaysOnThePanelAt96And144Dpi) {
  panel().SetClock([] { return TimeOn({2033, 12, 28}); });  // 闰冬月初七
  ASSERT_TRUE(panel().Start(program_, 3000, 1500));
  for (const int dpi : {96, 144}) {
    const int w = TwipsToPixels(1700, dpi), h = TwipsToPixels(4260, dpi);
    const Capture cap = RenderWith(w, h, [dpi](HDC dc) { panel().Render(dc, dpi); });
    SaveCapture(cap, L"main-panel-longest-date-" + std::to_wstring(dpi) + L"dpi");
    // Ink in the date's column: pixels unlike their row's background.
    int first = h, last = -1;
    const int top = TwipsToPixels(1610, dpi) + 1;  // the glyphs' top edge, light copy included
    for (int y = TwipsToPixels(450, dpi); y < h; ++y) {
      for (int x = top - AngledTextHeight(dpi) - 2; x <= top; ++x) {
        const Colour c = cap.At(x, y), back = cap.At(w - 1, y);
        if (std::abs(RedOf(c) - RedOf(back)) + std::abs(GreenOf(c) - GreenOf(back)) > 60) last = y;
      }
      if (last >= 0) first = std::min(first, y);
    }
    const int strip[] = {TwipsToPixels(MainWindow::kDateTop, dpi), TwipsToPixels(MainWindow::kDateBottom, dpi)};
    const FittedDateText& date = panel().PaintedDate();
    EXPECT_NE(date.text.find("闰冬月初七"), std::string::npos);
    EXPECT_TRUE(first >= strip[0] && last <= strip[1]) << dpi << " dpi: ink on rows " << first << ".." << last;
    win::WindowDc screen(nullptr);  // drawn in full, as long as the fitting measured it
    EXPECT_NEAR(last - first, AngledTextLength(screen.get(), date.text, date.fontPx), date.fontPx) << dpi;
  }
}

TEST_F(MainPanel, DateIsRepaintedAtMidnightOnClockChangesAndOnResume) {
  const auto midnight = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
  SYSTEMTIME later = TimeOn({2026, 12, 8});
  panel().SetClock([&] {
    return std::chrono::steady_clock::now() < midnight ? TimeOn({2026, 12, 7}, 23, 59, 59, 800) : later;
  });
  ASSERT_TRUE(panel().Start(program_, 3000, 1500));
  const auto shows = [](const SYSTEMTIME& t) {
    wchar_t date[80] = {};
    ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, date, 80);
    return [d = "今天: " + win::Narrow(date)] { return panel().PaintedDate().text.rfind(d, 0) == 0; };
  };
  EXPECT_TRUE(WaitFor(shows(later))) << "midnight";
  const struct { UINT msg; WPARAM wParam; CivilDate day; } wakes[] = {  // clock set; back from sleep
      {WM_TIMECHANGE, 0, {2027, 1, 30}},
      {WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, {2028, 10, 1}}};
  for (const auto& wake : wakes) {
    later = TimeOn(wake.day);
    ::UpdateWindow(panel().hwnd());  // a paint already due, and what is posted
    DrainMessages();
    ASSERT_FALSE(shows(later)()) << "repainted without being woken";
    ::SendMessageW(panel().hwnd(), wake.msg, wake.wParam, 0);
    EXPECT_TRUE(WaitFor(shows(later))) << wake.msg << " " << wake.wParam;
  }
}

TEST_F(MainPanel, ButtonsInTheSettingsColourAndCornerPicturesLitUnderTheMouse) {
  ASSERT_TRUE(panel().Start(program_, 3000, 1500));
  // The top rows of the first button are its ForeColor, a few 3-step bands darker.
  const Colour fore = ColourFromText(Parameters[kParamButtonColour]);
  RECT b{};
  ::GetWindowRect(panel().ControlWindow(MainWindow::kButtons[0]), &b);
  ::MapWindowPoints(nullptr, panel().hwnd(), reinterpret_cast<POINT*>(&b), 2);
  Colour face = 0;
  EXPECT_TRUE(WaitFor([&] {
    face = CaptureWindow(panel().hwnd()).At(b.left + 40, b.top + 1);
    return std::abs(RedOf(face) - RedOf(fore)) + std::abs(GreenOf(face) - GreenOf(fore)) +
               std::abs(BlueOf(face) - BlueOf(fore)) <= 3 * 12;
  })) << std::hex << face << " for " << fore;
  const RECT cp0 = panel().ControlBox(MainWindow::kCloseCorner);
  const int px = cp0.left + 10, py = cp0.top + 4;
  const Colour normal = RenderClient(panel().hwnd()).At(px, py);
  POINT on{cp0.left + 10, cp0.top + 10};
  ::ClientToScreen(panel().hwnd(), &on);
  const auto lit = [](int s) { return WaitFor([s] { return panel().CornerState(0) == s; }); };
  MoveTheMouse(on.x, on.y);
  ASSERT_TRUE(lit(0));
  const Colour shown = RenderClient(panel().hwnd()).At(px, py);
  EXPECT_TRUE(shown != normal && RedOf(shown) > BlueOf(shown)) << std::hex << shown;
  // A press shows the normal picture, the release lights it; a right click is no click.
  for (const auto& [msg, state] : {std::pair{WM_RBUTTONDOWN, -1}, {WM_RBUTTONUP, 0}}) {
    ::SendMessageW(panel().hwnd(), msg, msg == WM_RBUTTONDOWN ? MK_RBUTTON : 0, MAKELPARAM(px, py));
    EXPECT_EQ(panel().CornerState(0), state) << msg;
  }
  MoveTheMouse(on.x - 37, on.y);  // onto the title strip beside it
  EXPECT_TRUE(lit(-1));
  MoveTheMouse(on.x, on.y);
  EXPECT_TRUE(lit(0));
  MoveTheMouse(640, 1000);  // off the panel
  EXPECT_TRUE(lit(-1));
  EXPECT_EQ(RenderClient(panel().hwnd()).At(px, py), normal);
  EXPECT_TRUE(panel().IsLoaded()) << "closed by a right click";
}

TEST_F(MainPanel, TrayRoundTripRestoresOnlyOnALeftDoubleClick) {
  ASSERT_TRUE(panel().Start(program_, 3000, 1500));
  HWND hwnd = panel().hwnd();
  const auto ownProc = ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
  const RECT cp1 = panel().ControlBox(MainWindow::kTrayCorner);
  ClickAt(hwnd, cp1.left + 5, cp1.top + 5);
  EXPECT_FALSE(::IsWindowVisible(hwnd));
  EXPECT_TRUE(TrayIconPresent(hwnd));
  // Other mouse codes restore nothing (a right click opens the menu:
  // resident_journey_test).
  for (LPARAM code : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_MOUSEMOVE,
                      WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK}) {
    ::PostMessageW(hwnd, kTrayCallbackMessage, kTrayIconId, code);
  }
  DrainMessages();
  EXPECT_FALSE(::IsWindowVisible(hwnd)) << "restored by another mouse code";
  ::PostMessageW(hwnd, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(hwnd) != FALSE; }));
  EXPECT_EQ(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC), ownProc);
  EXPECT_FALSE(TrayIconPresent(hwnd));
}

TEST_F(MainPanel, ShutDownSavesFirstThenUnloadsInLoadOrderAndRemovesTheIcon) {
  std::vector<std::string> unloads;
  StandInForm first("first window", &unloads);
  StandInForm last("last window", &unloads);
  first.Attach(program_);
  last.Attach(program_);
  ASSERT_TRUE(first.Load());
  ASSERT_TRUE(panel().Start(program_, 2345, 1234));
  ShowMessage(program_, "still open at exit");
  panel().Navigate(MainWindow::kAboutButton);
  ASSERT_TRUE(last.Load());
  HWND hwnd = panel().hwnd();
  AddTrayIcon(hwnd);  // into the tray, then exit from there
  panel().Hide();
  // Settings another program saved meanwhile stay; the panel's place goes into them.
  const std::wstring settings = win::Widen(ParameterFilePath(ProgramFolder));
  ASSERT_TRUE(WriteBytes(settings, "\"D:\\data\"\r\n\"0\"\r\n"));

  panel().ShutDown();
  EXPECT_EQ(unloads, (std::vector<std::string>{"first window", "last window"}));
  EXPECT_EQ(first.fileAtUnload.rfind("\"D:\\data\"\r\n\"0\"\r\n\"\"\r\n", 0), 0u);
  EXPECT_NE(first.fileAtUnload.find("\"\"\r\n\"2345\"\r\n\"1234\"\r\n\"\"\r\n"), std::string::npos)
      << "the file is written before any window unloads";
  EXPECT_TRUE(LoadedForms().empty());
  EXPECT_FALSE(TrayIconPresent(hwnd));
  EXPECT_EQ(OldWindowProc, nullptr);
  // The message loop is asked to end (what the file holds: the program's own test).
  MSG msg;
  EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
}  // namespace quillet::test
