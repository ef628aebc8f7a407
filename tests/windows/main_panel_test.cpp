// The main panel in this process: start-up placement and shape, docking
// with the real cursor, the corner pictures, the tray round trip, the
// navigation, the shut-down order and its GDI hygiene.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/codepage.h"
#include "base/units.h"
#include "forms/message_window.h"
#include "forms/shared_state.h"
#include "settings/default_settings.h"
#include "settings/parameters.h"
#include "shell/main_window.h"
#include "shell/navigation.h"
#include "shell/tray_win.h"
#include "tests/support/gleam_test_support.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/test_files.h"
#include "tests/support/win_test.h"
#include "win32/text.h"

namespace quillet::test {
namespace {

// A window of another subsystem, known only by its caption.
class StandInForm : public Form {
 public:
  StandInForm(const char* caption, std::vector<std::string>* unloads = nullptr)
      : Form(WindowDef{caption, 1500, 900, {}}, FormStyle{.topmost = false}), unloads_(unloads) {}
  bool Load() { return LoadForm(); }
  std::string fileAtUnload;  // item 14 of paramter.dat when this window went

 protected:
  void Paint(const PaintTarget& target) override { PaintGradient(target, 0x808080, true, 2); }
  void OnUnload() override {
    if (unloads_) unloads_->push_back(Definition().caption);
    const std::string bytes = ReadBytes(win::Widen(ParameterFilePath(ProgramFolder)));
    fileAtUnload = ParseParameters(DecodeCp936(bytes).utf8)[kParamPanelLeft];
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

class MainPanel : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    ProgramNavigation() = Navigation{};
    ::SetCursorPos(640, 1000);  // out of the way
  }
  void TearDown() override {
    if (panel().IsLoaded()) RemoveTrayIcon(panel().hwnd());
    ShellFixture::TearDown();
    ProgramNavigation() = Navigation{};
  }
  static MainWindow& panel() { return TheForm<MainWindow>(); }
  // Screen width in twips at 96 dpi, and d = SW - panel width.
  static int ScreenTwips() { return ::GetSystemMetrics(SM_CXSCREEN) * 15; }
  static int D() { return ScreenTwips() - 1700; }
  static void Tick() { panel().DockingTick(); }
  static int Left() { return panel().Position().left; }
  static int Top() { return panel().Position().top; }
};

TEST_F(MainPanel, StartsAtTheStoredPlaceTopmostAndRounded) {
  ASSERT_TRUE(panel().Start(3000, 1500));
  RECT r{};
  ::GetWindowRect(panel().hwnd(), &r);
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.top, 100);
  EXPECT_EQ(r.right - r.left, 113);
  EXPECT_EQ(r.bottom - r.top, 284);
  EXPECT_NE(::GetWindowLongPtrW(panel().hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_TRUE(::IsWindowVisible(panel().hwnd()));
  const RECT box = RegionBox(panel().hwnd());
  EXPECT_EQ(box.left, 4);
  EXPECT_EQ(box.top, 4);
  // CreateRoundRectRgn(4, 4, 109, 280, 20, 20): the system leaves out the
  // last column and row of the corners' ellipses, so the box may end one short.
  EXPECT_GE(box.right, 108);
  EXPECT_LE(box.right, 109);
  EXPECT_GE(box.bottom, 279);
  EXPECT_LE(box.bottom, 280);
  EXPECT_TRUE(IsWindowOpen(MainWindow::kCaption));

  // Eight gradient buttons down the panel: 1300 x 407.5 twips from 500.
  for (int i = 0; i < 8; ++i) {
    HWND button = panel().ControlWindow("Pic", i);
    ASSERT_NE(button, nullptr) << "button " << i;
    RECT b{};
    ::GetWindowRect(button, &b);
    ::MapWindowPoints(nullptr, panel().hwnd(), reinterpret_cast<POINT*>(&b), 2);
    EXPECT_EQ(b.left, 7);
    EXPECT_NEAR(b.top, TwipsToPixels(500 + 457.5 * i, 96), 1) << i;
    EXPECT_NEAR(b.right - b.left, 87, 1);
    EXPECT_NEAR(b.bottom - b.top, 27, 1);
  }

  // Top band in the background colour; the date, smoothed dark grey, down the right.
  ::RedrawWindow(panel().hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const Capture cap = RenderClient(panel().hwnd());
  EXPECT_EQ(cap.At(60, 0), kDefaultBackground);
  int dark = 0;
  for (int y = 34; y < 270; ++y) {
    for (int x = 100; x < 113; ++x) {
      const Colour c = cap.At(x, y);
      if (RedOf(c) < 100 && GreenOf(c) < 100 && BlueOf(c) < 100) ++dark;
    }
  }
  EXPECT_GT(dark, 40) << "no date text down the right side";
  EXPECT_NE(panel().DateText().find("今天: "), std::string::npos);
  // The buttons take their colour from the settings: the top rows of a
  // button are its ForeColor, a few 3-step bands darker (a band is less
  // than a pixel high).
  WaitFor([] { return false; }, std::chrono::milliseconds(100));
  RECT b0{};
  ::GetWindowRect(panel().ControlWindow("Pic", 0), &b0);
  const Capture screen = CaptureWindow(panel().hwnd());
  RECT w{};
  ::GetWindowRect(panel().hwnd(), &w);
  const Colour face = screen.At(b0.left - w.left + 40, b0.top - w.top + 1);
  const Colour fore = ColourFromText(Parameters[kParamButtonColour]);
  EXPECT_NEAR(RedOf(face), RedOf(fore), 12) << std::hex << face;
  EXPECT_NEAR(GreenOf(face), GreenOf(fore), 12) << std::hex << face;
  EXPECT_NEAR(BlueOf(face), BlueOf(fore), 12) << std::hex << face;
  EXPECT_NE(panel().DateText().find("  ( "), std::string::npos);
  SaveScreenshot(panel().hwnd(), L"main-panel-free-96dpi");
}

TEST_F(MainPanel, DockingOffKeepsThePanelOnTheScreenAtTopLeftAndRight) {
  ASSERT_TRUE(panel().Start(-200, 600));
  Tick();
  EXPECT_EQ(Left(), 0);
  EXPECT_EQ(Top(), 600);
  panel().SetPosition(500, -30);
  Tick();
  EXPECT_EQ(Top(), 0);
  panel().SetPosition(D() + 700, 900);
  Tick();
  EXPECT_EQ(Left(), D());
  // Below the bottom edge is allowed.
  const int below = ::GetSystemMetrics(SM_CYSCREEN) * 15 - 100;
  panel().SetPosition(3000, below);
  Tick();
  EXPECT_EQ(Top(), below);
  RECT r{};
  ::GetWindowRect(panel().hwnd(), &r);
  EXPECT_EQ(r.left, 200) << "the window follows the step";
}

TEST_F(MainPanel, DocksAndHidesAtTheRightEdgeWithTheRealCursor) {
  Parameters[kParamDocking] = "1";
  ASSERT_TRUE(panel().Start(D() + 100, 1500));
  // Snap to d + 50, and with the cursor elsewhere hide to d + 1610 in the
  // same tick.
  Tick();
  EXPECT_EQ(Left(), D() + 1610);
  RECT r{};
  ::GetWindowRect(panel().hwnd(), &r);
  EXPECT_EQ(r.left, TwipsToPixels(D() + 1610, 96));
  // The cursor on the visible strip brings it back to d, then snaps to d + 50.
  ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 2, 200);
  Tick();
  EXPECT_EQ(Left(), D());
  Tick();
  EXPECT_EQ(Left(), D() + 50);
  SaveRedrawnScreenshot(panel().hwnd(), L"main-panel-docked-right-96dpi");
  // Cursor still over it: it stays docked.
  Tick();
  EXPECT_EQ(Left(), D() + 50);
  ::SetCursorPos(200, 200);
  Tick();
  EXPECT_EQ(Left(), D() + 1610);
}

TEST_F(MainPanel, DocksAtTheTopAndInTheTopLeftCorner) {
  Parameters[kParamDocking] = "1";
  ASSERT_TRUE(panel().Start(5000, 300));
  Tick();
  EXPECT_EQ(Top(), 300) << "300 twips is not closer than the snap distance";
  panel().SetPosition(5000, 299);
  Tick();
  EXPECT_EQ(Top(), -4150) << "snapped to -50 and, with the cursor away, hidden";
  // The visible 110 twips at the top: 7 pixels (-4150 + 4260 = 110 twips).
  ::SetCursorPos(TwipsToPixels(5000, 96) + 50, 3);
  Tick();
  EXPECT_EQ(Top(), -50);

  // The corner: docks to (-50, -50), hides to (-1590, -4150) and comes back
  // when the cursor touches the corner left visible.
  ::SetCursorPos(640, 1000);
  panel().SetPosition(100, 100);
  Tick();
  EXPECT_EQ(Left(), -1590);
  EXPECT_EQ(Top(), -4150);
  ::SetCursorPos(3, 3);
  Tick();
  EXPECT_EQ(Left(), -50);
  EXPECT_EQ(Top(), -50);

  // Turning the switch off pulls a hidden panel fully back.
  ::SetCursorPos(640, 1000);
  Tick();
  EXPECT_EQ(Top(), -4150);
  Parameters[kParamDocking] = "0";
  Tick();
  EXPECT_EQ(Top(), 0);
  EXPECT_EQ(Left(), 0);
}

TEST_F(MainPanel, StoredHiddenPositionHidesFromTheFirstTickAndUserMovesAreTaken) {
  Parameters[kParamDocking] = "1";
  ASSERT_TRUE(panel().Start(-1590, 800));
  Tick();
  EXPECT_EQ(Left(), -1590);
  EXPECT_EQ(Top(), 800);
  // Cursor on the 7 visible pixels (x 0..6, both edges excluded by the
  // strict test at -106 and 7).
  ::SetCursorPos(7, 100);
  Tick();
  EXPECT_EQ(Left(), -1590) << "x = 7 is the window's right edge: outside";
  ::SetCursorPos(6, 100);
  Tick();
  EXPECT_EQ(Left(), -50);
  // A move by the user (the window manager moves the pixels) is taken up.
  ::SetWindowPos(panel().hwnd(), nullptr, 400, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ::SetCursorPos(450, 300);
  Tick();
  EXPECT_EQ(Left(), 6000);
  EXPECT_EQ(Top(), 3000);
}

TEST_F(MainPanel, DraggingTheSurfaceMovesThePanelAndTheTickTakesItUp) {
  ASSERT_TRUE(panel().Start(3000, 1500));
  RECT before{};
  ::GetWindowRect(panel().hwnd(), &before);
  // On the title strip between the logo and the tray picture.
  DragWithTheMouse(before.left + 40, before.top + 15, 80, 40);
  RECT after{};
  ::GetWindowRect(panel().hwnd(), &after);
  EXPECT_EQ(after.left - before.left, 80);
  EXPECT_EQ(after.top - before.top, 40);
  Tick();
  EXPECT_EQ(Left(), 3000 + 80 * 15);
  EXPECT_EQ(Top(), 1500 + 40 * 15);
}

TEST_F(MainPanel, CornerPicturesLightUpAndGoBackWhenTheCursorLeaves) {
  ASSERT_TRUE(panel().Start(3000, 1500));
  const RECT cp0 = panel().ControlBox("CP", 0);
  const int px = cp0.left + 10, py = cp0.top + 4;
  const Colour normal = RenderClient(panel().hwnd()).At(px, py);
  EXPECT_EQ(ButtonState[0], -1);
  POINT inside{cp0.left + 10, cp0.top + 10};
  ::ClientToScreen(panel().hwnd(), &inside);
  ::SetCursorPos(inside.x, inside.y);
  ::SendMessageW(panel().hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(cp0.left + 10, cp0.top + 10));
  EXPECT_EQ(ButtonState[0], 0);
  const Colour lit = RenderClient(panel().hwnd()).At(px, py);
  EXPECT_NE(lit, normal);
  EXPECT_GT(RedOf(lit), BlueOf(lit));
  // Pressing shows the normal picture again; releasing lights it.
  ::SendMessageW(panel().hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(cp0.left + 10, cp0.top + 10));
  EXPECT_EQ(ButtonState[0], -1);
  ::SendMessageW(panel().hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(cp0.left + 10, cp0.top + 10));
  EXPECT_EQ(ButtonState[0], 0);
  Tick();
  EXPECT_EQ(ButtonState[0], 0) << "the cursor is still on it";
  ::SetCursorPos(640, 1000);
  Tick();
  EXPECT_EQ(ButtonState[0], -1);
  EXPECT_EQ(RenderClient(panel().hwnd()).At(px, py), normal);
  EXPECT_TRUE(panel().IsLoaded()) << "a right click is no click";
}

TEST_F(MainPanel, TrayPictureIsHiddenWhenTheSwitchIsOff) {
  Parameters[kParamTrayButton] = "";
  ASSERT_TRUE(panel().Start(3000, 1500));
  const RECT cp1 = panel().ControlBox("CP", 1);
  const Capture cap = RenderClient(panel().hwnd());
  // Where the frame of the tray picture would be, the title strip shows.
  EXPECT_EQ(cap.At(cp1.left + 2, cp1.top + 3), cap.At(cp1.left - 6, cp1.top + 3));
  // The mouse there is on the panel's surface, not on a picture. (A left
  // press would start the window manager's drag loop.)
  ::SendMessageW(panel().hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(cp1.left + 5, cp1.top + 5));
  EXPECT_EQ(ButtonState[1], -1);
  ::SendMessageW(panel().hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(cp1.left + 5, cp1.top + 5));
  ::SendMessageW(panel().hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(cp1.left + 5, cp1.top + 5));
  EXPECT_EQ(ButtonState[1], -1);
  EXPECT_EQ(OldWindowProc, nullptr);
  EXPECT_TRUE(::IsWindowVisible(panel().hwnd()));
}

TEST_F(MainPanel, TrayRoundTripRestoresOnlyOnALeftDoubleClick) {
  ASSERT_TRUE(panel().Start(3000, 1500));
  HWND hwnd = panel().hwnd();
  const auto ownProc = ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
  // Removing an icon that was never added changes nothing.
  RemoveTrayIcon(hwnd);
  EXPECT_EQ(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC), ownProc);

  const RECT cp1 = panel().ControlBox("CP", 1);
  ClickAt(hwnd, cp1.left + 5, cp1.top + 5);
  EXPECT_FALSE(::IsWindowVisible(hwnd));
  EXPECT_TRUE(TrayIconPresent(hwnd));
  EXPECT_EQ(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&TrayWindowProc));
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(OldWindowProc), ownProc);

  // Single click, right click, move, right double-click: nothing.
  for (LPARAM code : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEMOVE,
                      WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK}) {
    ::PostMessageW(hwnd, kTrayCallbackMessage, kTrayIconId, code);
    WaitFor([] { return false; }, std::chrono::milliseconds(20));
    EXPECT_FALSE(::IsWindowVisible(hwnd)) << "mouse code " << code;
  }
  // Other messages still reach the panel's own procedure meanwhile.
  EXPECT_TRUE(panel().IsLoaded());
  ::PostMessageW(hwnd, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(hwnd) != FALSE; }, std::chrono::seconds(2)));
  EXPECT_EQ(OldWindowProc, nullptr);
  EXPECT_EQ(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC), ownProc);
  EXPECT_FALSE(TrayIconPresent(hwnd));
}

TEST_F(MainPanel, ButtonsNavigateAndToggle) {
  int lists = 0, reminders = 0, calendarShows = 0, calendarHides = 0;
  std::vector<int> listActions, reminderActions;
  bool calendarVisible = false;
  Navigation& to = ProgramNavigation();
  to.showList = [&] { ++lists; };
  to.listAction = [&](int n) { listActions.push_back(n); };
  to.showReminderSettings = [&] { ++reminders; };
  to.reminderSettingsAction = [&](int n) { reminderActions.push_back(n); };
  to.calendarVisible = [&] { return calendarVisible; };
  to.showCalendar = [&] { ++calendarShows; calendarVisible = true; };
  to.hideCalendar = [&] { ++calendarHides; calendarVisible = false; };
  ASSERT_TRUE(panel().Start(3000, 1500));

  panel().ClickButton("Pic", 0);  // a real click on the gradient button
  EXPECT_EQ(lists, 1);
  EXPECT_EQ(TodayOnly, -1);
  panel().ClickButton("Pic", 2);
  EXPECT_EQ(lists, 2);
  EXPECT_EQ(TodayOnly, 0);
  {
    StandInForm list(MainWindow::kListCaption);
    ASSERT_TRUE(list.Load());
    panel().ClickButton("Pic", 0);
    EXPECT_EQ(listActions, std::vector<int>{7}) << "open: save and close, no mode switch";
    EXPECT_EQ(TodayOnly, 0);
    panel().ClickButton("Pic", 1);
    EXPECT_EQ(listActions, (std::vector<int>{7, 3}));
    StandInForm edit(MainWindow::kEditCaption);
    ASSERT_TRUE(edit.Load());
    panel().ClickButton("Pic", 1);
    EXPECT_EQ(listActions, (std::vector<int>{7, 3})) << "the edit window is open: nothing";
  }
  listActions.clear();
  panel().ClickButton("Pic", 1);  // nothing open: all records, then add
  EXPECT_EQ(lists, 3);
  EXPECT_EQ(TodayOnly, 0);
  EXPECT_EQ(listActions, std::vector<int>{3});

  panel().ClickButton("Pic", 3);
  EXPECT_EQ(reminders, 1);
  {
    StandInForm settings(MainWindow::kReminderSettingsCaption);
    ASSERT_TRUE(settings.Load());
    panel().ClickButton("Pic", 3);
    EXPECT_EQ(reminderActions, std::vector<int>{3});
  }
  StandInForm calendar("calendar");
  ASSERT_TRUE(calendar.Load());
  to.calendarWindow = [&] { return calendar.hwnd(); };
  panel().ClickButton("Pic", 4);
  panel().ClickButton("Pic", 4);
  // Moved off the screen while hidden: the third press pulls it back first.
  ::SetWindowPos(calendar.hwnd(), nullptr, -300, ::GetSystemMetrics(SM_CYSCREEN) - 20, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
  panel().ClickButton("Pic", 4);
  EXPECT_EQ(calendarShows, 2);
  EXPECT_EQ(calendarHides, 1);
  RECT c{};
  ::GetWindowRect(calendar.hwnd(), &c);
  EXPECT_EQ(c.left, 0);
  EXPECT_EQ(c.bottom, ::GetSystemMetrics(SM_CYSCREEN));
  // The about page's toggle: shell_dialogs_test.
}

TEST_F(MainPanel, ReminderTickRunsEveryFiveSeconds) {
  int checks = 0;
  ProgramNavigation().checkDueReminders = [&] { ++checks; };
  ASSERT_TRUE(panel().Start(3000, 1500));
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(WaitFor([&] { return checks > 0; }, std::chrono::seconds(8)));
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_GE(elapsed, std::chrono::milliseconds(4500));
  EXPECT_EQ(checks, 1);
}

TEST_F(MainPanel, ShutDownSavesFirstThenUnloadsInLoadOrderAndRemovesTheIcon) {
  std::vector<std::string> unloads;
  StandInForm first("first window", &unloads);
  StandInForm last("last window", &unloads);
  ASSERT_TRUE(first.Load());
  ASSERT_TRUE(panel().Start(2345, 1234));
  ShowMessage("still open at exit");
  panel().Navigate(7);
  ASSERT_TRUE(last.Load());
  Parameters[30] = "kept as read";
  // Into the tray, then exit from there.
  const RECT cp1 = panel().ControlBox("CP", 1);
  HWND hwnd = panel().hwnd();
  ClickAt(hwnd, cp1.left + 5, cp1.top + 5);
  ASSERT_TRUE(TrayIconPresent(hwnd));

  panel().ShutDown();
  EXPECT_EQ(unloads, (std::vector<std::string>{"first window", "last window"}));
  EXPECT_EQ(first.fileAtUnload, "2345") << "the file is written before any window unloads";
  EXPECT_TRUE(LoadedForms().empty());
  EXPECT_FALSE(panel().IsLoaded());
  EXPECT_FALSE(TrayIconPresent(hwnd));
  EXPECT_EQ(OldWindowProc, nullptr);
  const ParameterItems saved =
      ParseParameters(DecodeCp936(ReadBytes(folder_.File(L"paramter.dat"))).utf8);
  EXPECT_EQ(saved[kParamPanelLeft], "2345");
  EXPECT_EQ(saved[kParamPanelTop], "1234");
  EXPECT_EQ(saved[30], "kept as read");
  // The message loop is asked to end.
  MSG msg;
  EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
}  // namespace quillet::test
