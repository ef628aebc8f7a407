#include "shell/main_window.h"

#include "base/hot_key.h"
#include "base/units.h"
#include "base/window_geometry.h"
#include "calendar/lunar.h"
#include "forms/message_window.h"
#include "forms/pictures_win.h"
#include "forms/skin.h"
#include "forms/window_shape_win.h"
#include "settings/parameters.h"
#include "shell/about_window.h"
#include "shell/docking.h"
#include "shell/navigation.h"
#include "shell/panel_layout.h"
#include "shell/startup.h"
#include "shell/tray_win.h"
#include "win32/clock.h"
#include "win32/text.h"

namespace quillet {

namespace {

constexpr char kTitle[] = "Quillet";
constexpr double kPanelWidth = 1700;  // twips
constexpr double kPanelHeight = 4260;

constexpr const char* kButtonTexts[8] = {"我今天的工作",   "添加工作记录", "全部工作记录",
                                         "定期提醒设置",   "Tamber日历查询", "电话区号查询",
                                         "我的个性设置",   "帮助"};

WindowDef PanelDefinition() {
  WindowDef def;
  def.caption = MainWindow::kCaption;
  def.width = kPanelWidth;
  def.height = kPanelHeight;
  for (int i = 0; i < 8; ++i) {
    const TwipBox b = PanelButtonBox(i, kPanelWidth, kPanelHeight);
    def.controls.push_back(
        ButtonControl(MainWindow::kButtons[i], b.left, b.top, b.width, b.height, kButtonTexts[i]));
  }
  def.controls.push_back(Picture(MainWindow::kLogo, 100, 80, 300, 300));
  def.controls.push_back(Picture(MainWindow::kCloseCorner, 1300, 80, 300, 300));
  def.controls.push_back(Picture(MainWindow::kTrayCorner, 1050, 80, 300, 300));
  return def;
}

int ScreenWidthTwips(int dpi) {
  return static_cast<int>(PixelsToTwips(::GetSystemMetrics(SM_CXSCREEN), dpi));
}

// Today in the user's short date format, as the system writes it.
std::string ShortDateToday(const SYSTEMTIME& now) {
  wchar_t text[80] = {};
  if (!::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, text, 80)) return {};
  return win::Narrow(text);
}

}  // namespace

MainWindow::MainWindow() : Form(PanelDefinition(), FormStyle{.centred = false}), clock_(win::LocalNow) {}

void MainWindow::SetClock(std::function<SYSTEMTIME()> clock) {
  clock_ = clock ? std::move(clock) : std::function<SYSTEMTIME()>(win::LocalNow);
  DateChanged();
}

bool MainWindow::Start(Program& program, int leftTwips, int topTwips) {
  shuttingDown_ = false;
  Attach(program);
  ButtonState.fill(-1);
  if (!LoadForm()) return false;
  position_.width = static_cast<int>(kPanelWidth);
  position_.height = static_cast<int>(kPanelHeight);
  docking_ = true;
  SetPosition(leftTwips, topTwips);  // the form made itself topmost and round
  ApplyOnTop();
  ::SetTimer(hwnd(), kReminderTimer, kReminderMs, nullptr);
  ArmMidnightTimer();
  Show();
  UpdateDockingWait();
  RegisterBringOutKey();
  return true;
}

void MainWindow::RegisterBringOutKey() {
  const std::string& written = program().state.Parameters[kParamHotKey];
  const std::string text = written.empty() ? std::string(kDefaultHotKey) : written;
  if (HotKeyTurnedOff(text)) return;
  const std::optional<HotKey> key = ParseHotKey(text);
  // A key another program holds is told once; the panel goes on without it.
  if (!key || !::RegisterHotKey(hwnd(), kBringOutKey, key->modifiers | MOD_NOREPEAT, key->key)) {
    ShowMessage(program(), "快捷键 " + text + " 无法使用（已被其他程序占用或写法不对），本次不能用它唤出主面板。");
  }
}

void MainWindow::BringOut() {
  if (!::IsWindowVisible(hwnd())) {  // in the notification area
    RemoveTrayIcon(hwnd());
    Show();
  }
  // Out from an edge it hides at; held out while it is the active window.
  const int right = ScreenWidthTwips(Dpi()) - position_.width;
  int left = position_.left;
  int top = position_.top;
  if (top == kHiddenTop) top = kDockedTop;
  if (left == kHiddenLeft) left = kDockedLeft;
  if (left == right + kHiddenRightOffset) left = right + kDockedRightOffset;
  keyboardHold_ = true;
  SetPosition(left, top);
  ::SetForegroundWindow(hwnd());
  ::SetFocus(ControlWindow(kButtons[0]));
  ShowFocusCues();
  UpdateDockingWait();
}

bool MainWindow::OnEscape() {
  keyboardHold_ = false;
  const int screen = ScreenWidthTwips(Dpi());
  // Near an edge the step snaps the panel first, then hides it.
  TwipsRect next = position_;
  for (int step = 0; step < 3; ++step) {
    next = DockingStep(next, screen, CurrentSkin().docking, [](const TwipsRect&) { return false; });
  }
  if (next.top == kHiddenTop || next.left == kHiddenLeft ||
      next.left == screen - position_.width + kHiddenRightOffset) {
    SetPosition(next.left, next.top);
    UpdateDockingWait();
  } else {
    AddTrayIcon(hwnd());
    Hide();
  }
  return true;
}

void MainWindow::OnLoad() {
  normal_[0] = MakePictureBitmap(Artwork::CloseNormal);
  normal_[1] = MakePictureBitmap(Artwork::TrayNormal);
  highlight_[0] = MakePictureBitmap(Artwork::CloseHighlight);
  highlight_[1] = MakePictureBitmap(Artwork::TrayHighlight);
  logo_ = MakePictureBitmap(Artwork::Logo);
  icon_ = MakePictureIcon(Artwork::Logo);
  ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
  ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
  appliedButton_ = appliedText_ = 0xFFFFFFFF;
}

void MainWindow::OnUnload() {
  ::KillTimer(hwnd(), kDockTimer);
  ::KillTimer(hwnd(), kReminderTimer);
  ::KillTimer(hwnd(), kMidnightTimer);
  docking_ = dockTimerRunning_ = trackingLeave_ = false;
  ::UnregisterHotKey(hwnd(), kBringOutKey);
  ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, 0);
  ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, 0);
  icon_.reset();
}

void MainWindow::ApplyOnTop() {
  ::SetWindowPos(hwnd(), CurrentSkin().onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::ApplySettings() {
  if (!IsLoaded()) return;
  ApplyOnTop();
  ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  UpdateDockingWait();
}

void MainWindow::SetPosition(int leftTwips, int topTwips) {
  position_.left = leftTwips;
  position_.top = topTwips;
  if (!IsLoaded()) return;
  const int dpi = Dpi();
  ::SetWindowPos(hwnd(), nullptr, TwipsToPixels(leftTwips, dpi), TwipsToPixels(topTwips, dpi), 0,
                 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool MainWindow::CursorOverPanelAt(const TwipsRect& p) const {
  if (keyboardHold_) return true;
  const int dpi = Dpi();
  const int left = TwipsToPixels(p.left, dpi);
  const int top = TwipsToPixels(p.top, dpi);
  POINT cursor{};
  ::GetCursorPos(&cursor);
  return StrictlyInside({left, top, left + TwipsToPixels(p.width, dpi),
                         top + TwipsToPixels(p.height, dpi)},
                        cursor.x, cursor.y);
}

void MainWindow::TakeUpUserMove() {
  const int dpi = Dpi();
  RECT r{};
  ::GetWindowRect(hwnd(), &r);
  // The position is kept in twips as the docking step left it (-4150 twips
  // is no whole pixel at 96 dpi); only a move by the user replaces it.
  if (r.left != TwipsToPixels(position_.left, dpi) || r.top != TwipsToPixels(position_.top, dpi)) {
    position_.left = static_cast<int>(PixelsToTwips(r.left, dpi));
    position_.top = static_cast<int>(PixelsToTwips(r.top, dpi));
  }
}

void MainWindow::DockingTick() {
  if (!IsLoaded()) return;
  inDockingTick_ = true;  // our own moves are no user moves
  TakeUpUserMove();
  const TwipsRect next = DockingStep(position_, ScreenWidthTwips(Dpi()), CurrentSkin().docking,
                                     [this](const TwipsRect& p) { return CursorOverPanelAt(p); });
  if (!(next == position_)) SetPosition(next.left, next.top);
  inDockingTick_ = false;
  UpdateDockingWait();
}

void MainWindow::UpdateDockingWait() {
  if (!docking_ || inDockingTick_) return;
  ResetLeftCornerPictures();
  TakeUpUserMove();
  const DockingWait wait = NextDockingWait(position_, ScreenWidthTwips(Dpi()), CurrentSkin().docking,
                                           CursorOverPanelAt(position_));
  bool tick = wait == DockingWait::Tick;
  if (wait == DockingWait::CursorOut) {
    // The panel hears of the cursor leaving only from its own surface; over
    // a button, or a corner the rounding cut away, the step asks each tick.
    POINT cursor{};
    ::GetCursorPos(&cursor);
    tick = ::WindowFromPoint(cursor) != hwnd();
    if (!tick) WatchCursorLeaving();
  }
  // CursorIn waits for WM_MOUSEMOVE on the visible strip, Move for
  // WM_WINDOWPOSCHANGED.
  if (tick && !dockTimerRunning_) {
    dockTimerRunning_ = ::SetTimer(hwnd(), kDockTimer, kDockMs, nullptr) != 0;
  } else if (!tick && dockTimerRunning_) {
    ::KillTimer(hwnd(), kDockTimer);
    dockTimerRunning_ = false;
  }
}

void MainWindow::WatchCursorLeaving() {
  if (trackingLeave_) return;
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd(), 0};
  trackingLeave_ = ::TrackMouseEvent(&track) != FALSE;
}

void MainWindow::ResetLeftCornerPictures() {
  // A highlighted corner picture the cursor has left goes back to normal
  // (with docking off as well, so no picture stays lit).
  for (int i = 0; i < 2; ++i) {
    if (ButtonState[static_cast<std::size_t>(i)] == 0 &&
        !CursorOverControl(hwnd(), ControlBox(kCorners[i]))) {
      ButtonState[static_cast<std::size_t>(i)] = -1;
      InvalidateControl(kCorners[i]);
    }
  }
}

void MainWindow::ArmMidnightTimer() {
  const SYSTEMTIME now = clock_();
  const UINT untilMidnight =
      MillisecondsToMidnight(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
  // A timer that comes a little early finds the old day and is armed again
  // for the few milliseconds left.
  ::SetTimer(hwnd(), kMidnightTimer, untilMidnight, nullptr);
}

void MainWindow::DateChanged() {
  if (!IsLoaded()) return;
  ArmMidnightTimer();
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

bool MainWindow::PictureShown(const ControlDef& control) const {
  return !(Is(control, kTrayCorner)) || CurrentSkin().trayButton;
}

void MainWindow::Paint(const PaintTarget& target) {
  const Palette palette = CurrentPalette();
  const Colour c = palette.picture;
  PaintTitleBar(target, kTitle, palette);
  DrawPicture(target.dc, ControlBox(kLogo), logo_.get(), c, target.dpi);
  for (int i = 0; i < 2; ++i) {
    const ControlDef* cp = FindControl(Definition(), kCorners[i]);
    if (!PictureShown(*cp)) continue;
    const bool normal = ButtonState[static_cast<std::size_t>(i)] == -1;
    DrawPicture(target.dc, ControlBox(kCorners[i]),
                normal ? normal_[static_cast<std::size_t>(i)].get()
                       : highlight_[static_cast<std::size_t>(i)].get(),
                c, target.dpi);
  }
  // Today's date down the right side: a light copy 10 twips right and
  // below, then the dark text, fitted to the strip.
  const SYSTEMTIME now = clock_();
  paintedDate_ = FitPanelDateText(
      ShortDateToday(now), LunarDateText(CivilDate{now.wYear, now.wMonth, now.wDay}),
      target.Px(kDateBottom) - target.Px(kDateTop), AngledTextHeight(target.dpi),
      [&target](std::string_view text, int fontPx) { return AngledTextLength(target.dc, text, fontPx); });
  const double width = Definition().width;
  DrawAngledText(target, width - 90, kDateTop + 10, paintedDate_.text, -90,
                 palette.flat ? palette.back : 0xDDDDDD, paintedDate_.fontPx);
  DrawAngledText(target, width - 100, kDateTop, paintedDate_.text, -90,
                 palette.flat ? palette.text : MakeColour(10, 10, 10), paintedDate_.fontPx);
  if (palette.button != appliedButton_ || palette.buttonText != appliedText_) {
    appliedButton_ = palette.button;
    appliedText_ = palette.buttonText;
    SetButtonColours(palette.button, palette.buttonText);
  }
}

void MainWindow::OnPictureMouse(const ControlDef& control, UINT message) {
  if (!InGroup(control, kCorners)) return;
  auto& state = ButtonState[static_cast<std::size_t>(control.index)];
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      state = -1;
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      state = 0;
      break;
    default:
      return;
  }
  InvalidateControl(kCorners[control.index]);
}

void MainWindow::OnClick(const ControlDef& control) {
  if (InGroup(control, kButtons)) {
    Navigate(control.index);
  } else if (Is(control, kCloseCorner)) {
    ShutDown();
  } else if (Is(control, kTrayCorner)) {
    AddTrayIcon(hwnd());
    Hide();
  }
}

void MainWindow::Navigate(int index) {
  Navigation& to = ProgramNavigation();
  const auto run = [](const std::function<void()>& f) {
    if (f) f();
  };
  const auto asked = [](const std::function<bool()>& f) { return f && f(); };
  switch (index) {
    case kTodaysWorkButton:
    case kAllRecordsButton:
      if (asked(to.listOpen)) {
        run(to.closeList);
      } else if (to.showList) {
        to.showList(index == kTodaysWorkButton);
      }
      break;
    case kAddRecordButton:
      if (!asked(to.listOpen)) Navigate(kAllRecordsButton);
      if (!asked(to.editorOpen)) run(to.addRecord);
      break;
    case kRemindersButton:
      if (asked(to.reminderSettingsOpen)) {
        run(to.closeReminderSettings);
      } else {
        run(to.showReminderSettings);
      }
      break;
    case kCalendarButton:
      if (to.calendarVisible && to.calendarVisible()) {
        run(to.hideCalendar);
      } else {
        if (to.calendarWindow) {
          if (HWND calendar = to.calendarWindow()) KeepOnScreen(calendar);
        }
        run(to.showCalendar);
      }
      break;
    case kLookupButton:
      run(to.showLookup);
      break;
    case kSettingsButton:
      run(to.showSettings);
      break;
    case kAboutButton: {
      AboutWindow& about = TheForm<AboutWindow>();
      if (about.IsLoaded()) {
        about.Unload();
      } else {
        about.Attach(program());
        if (about.Load()) about.Show();
      }
      break;
    }
    default:
      break;
  }
}

void MainWindow::ShutDown(bool ask) {
  if (shuttingDown_ || !IsLoaded()) return;
  shuttingDown_ = true;
  // The tables' unsaved changes first: 取消 there keeps the program running.
  if (const auto& mayEnd = ProgramNavigation().mayEnd; mayEnd && !mayEnd(ask)) {
    shuttingDown_ = false;
    return;
  }
  // Nothing docks or fires from here on, also while a message below waits.
  ::KillTimer(hwnd(), kDockTimer);
  ::KillTimer(hwnd(), kReminderTimer);
  ProgramState& state = program().state;
  const std::string path = ParameterFilePath(state.ProgramFolder);
  if (state.SaveSettingsAtExit) {
    // Settings another program saved meanwhile are kept: the panel's place
    // goes into them rather than the program's older items over them.
    const ParametersLoad now = LoadParameters(path);
    if (now.fileRead && !(now.version == state.ParametersVersion)) state.Parameters = now.items;
  }
  state.Parameters[kParamPanelLeft] = std::to_string(position_.left);
  state.Parameters[kParamPanelTop] = std::to_string(position_.top);
  if (state.SaveSettingsAtExit) {
    const ParametersSave save = SaveParameters(path, state.Parameters);
    // The panel's place and the settings changes are lost: the user is told
    // why before the program ends, and it ends only once they closed the
    // message.
    if (!save.saved) ShowMessageAndWait(program(), SettingsNotSavedText(path, save.error));
  }
  UnloadFormsExcept(this);
  RemoveTrayIcon(hwnd());
  Unload();
  ::PostQuitMessage(0);
}

bool MainWindow::OnFormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (msg) {
    case WM_TIMER:
      if (wParam == kDockTimer) {
        DockingTick();
      } else if (wParam == kReminderTimer) {
        if (const auto& check = ProgramNavigation().checkDueReminders) check();
      } else if (wParam == kMidnightTimer) {
        DateChanged();
      } else {
        return false;
      }
      *result = 0;
      return true;
    // What wakes the docking step when no tick runs: the cursor on the
    // panel (a hidden one's strip) or leaving it, a move by the user or the
    // step, and a repaint (the settings window repaints the panel after the
    // docking switch may have changed). The form handles them as well.
    case WM_MOUSEMOVE:
      WatchCursorLeaving();
      UpdateDockingWait();
      return false;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      UpdateDockingWait();
      *result = 0;
      return true;
    case WM_WINDOWPOSCHANGED:
    case WM_PAINT:
      UpdateDockingWait();
      return false;
    // The day may have changed under the panel: the clock was set, or the
    // machine slept through midnight.
    case WM_HOTKEY:
      if (wParam != kBringOutKey) return false;
      BringOut();
      *result = 0;
      return true;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE && keyboardHold_) {
        keyboardHold_ = false;
        UpdateDockingWait();
      }
      return false;
    case WM_TIMECHANGE:
      DateChanged();
      *result = 0;
      return true;
    case WM_POWERBROADCAST:
      if (wParam != PBT_APMRESUMEAUTOMATIC && wParam != PBT_APMRESUMESUSPEND) return false;
      DateChanged();
      *result = TRUE;
      return true;
    // Without the tray picture there is no tray icon: its menu opens from
    // the date strip.
    case WM_RBUTTONUP: {
      const POINT client{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (CurrentSkin().trayButton || client.x < Px(kDateStripLeft) || client.y < Px(kDateTop) ||
          client.y > Px(kDateBottom)) {
        return false;
      }
      POINT screen = client;
      ::ClientToScreen(hwnd(), &screen);
      ShowCommandMenu(screen);
      *result = 0;
      return true;
    }
    case WM_CONTEXTMENU:  // Shift+F10 or the menu key: the menu beside the strip
      if (CurrentSkin().trayButton || lParam != -1) return false;
      {
        POINT screen{Px(kDateStripLeft), Px(kDateTop)};
        ::ClientToScreen(hwnd(), &screen);
        ShowCommandMenu(screen);
      }
      *result = 0;
      return true;
    case WM_CLOSE:
      ShutDown();
      *result = 0;
      return true;
    case WM_ENDSESSION:
      // The system ends the session: the same shut-down as the close
      // picture, without time to ask: unsaved tables are saved.
      if (wParam) ShutDown(false);
      *result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace quillet
