// The main panel (mForm): title strip, the date running down its side, the
// column of eight buttons, the close and tray pictures; it docks and hides
// at the screen edges and runs the reminder tick.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "base/colour.h"
#include "base/placement.h"
#include "forms/form_win.h"
#include "shell/panel_layout.h"
#include "win32/handles.h"

namespace quillet {

class MainWindow : public Form {
 public:
  static constexpr char kCaption[] = "\u3000Quillet";
  static constexpr ControlKey kButtons{"Pic"};  // the eight buttons, top down
  enum ButtonIndex : int {
    kTodaysWorkButton,
    kAddRecordButton,
    kAllRecordsButton,
    kRemindersButton,
    kCalendarButton,
    kLookupButton,
    kSettingsButton,
    kAboutButton,
  };
  static constexpr ControlKey kLogo{"Logo"};
  // The corner pictures: close (0) and tray (1).
  static constexpr ControlKey kCorners{"CP"};
  static constexpr ControlKey kCloseCorner{"CP", 0};
  static constexpr ControlKey kTrayCorner{"CP", 1};
  static constexpr UINT_PTR kDockTimer = 1;      // T1, only while a step can move the panel
  static constexpr UINT kDockMs = 50;
  static constexpr UINT_PTR kReminderTimer = 2;  // Timer1
  static constexpr UINT kReminderMs = 5000;
  static constexpr UINT_PTR kMidnightTimer = 3;  // repaints the date when the day changes
  static constexpr int kBringOutKey = 1;  // the hot key's id (item 18, Ctrl+Alt+Q by default)
  // The date text runs down the right side from 500 twips to level with
  // the last button's bottom edge, clear of the rounded corner.
  static constexpr double kDateTop = 500;     // twips
  static constexpr double kDateBottom = 4110;
  static constexpr double kDateStripLeft = 1400;  // twips: right of the buttons

  MainWindow();

  // Start-up steps after the single-copy check: load the panel, place it at
  // (left, top) twips, lay out and colour the buttons, topmost (unless the
  // switch "主面板总在最前面" is off), rounded, painted and shown; the reminder tick runs from here on, the docking
  // tick whenever a step can move the panel.
  bool Start(Program& program, int leftTwips, int topTwips);
  // The unload sequence: the open tables with unsaved changes ask whether
  // to save them (ask), or save them (the session ends), and 取消 or a failed
  // save stops here; then store the position, save the parameters (a save
  // that fails is reported in the message dialog, and the sequence goes on
  // once the user has closed it), unload every other window, remove the
  // tray icon, end the message loop.
  void ShutDown(bool ask = true);

  // The settings just saved take effect: above other windows or not
  // ("主面板总在最前面"), repainted in the new colours with or without the
  // tray picture, and the docking tick restarted for the docking switch.
  void ApplySettings();

  // The hot key: the panel comes out of the notification area or the edge
  // it hides at, in front, its first button focused; it stays out while
  // it is the active window.
  void BringOut();
  // The command menu at a screen point in pixels (panel_menu_win.cpp): from
  // the tray icon, or from the date strip when the tray picture is off.
  void ShowCommandMenu(POINT at);

  // One tick of T1: the docking step on the panel's real position; the
  // timer then runs on only if the next step can move the panel.
  void DockingTick();
  // Button Pic(i) pressed: the navigation of the panel.
  void Navigate(int index);
  // The panel's position in twips as the docking step keeps it, and moving
  // the panel there (left and top; the size stays).
  const TwipsRect& Position() const { return position_; }
  void SetPosition(int leftTwips, int topTwips);
  // Where "today" comes from (local time); the system clock by default.
  void SetClock(std::function<SYSTEMTIME()> clock);
  // The date text the last paint drew down the panel's side, and its font.
  const FittedDateText& PaintedDate() const { return paintedDate_; }
  // Look of the close (0) and tray (1) corner pictures: -1 the normal
  // picture, 0 the highlighted one.
  int CornerState(int index) const { return ButtonState[static_cast<std::size_t>(index)]; }

 protected:
  // Up and Down move between the buttons.
  bool ArrowsMoveFocus() const override { return true; }
  // Esc hides the panel: at the edge it docks against, else in the
  // notification area, as its tray picture does.
  bool OnEscape() override;
  void OnLoad() override;
  void Paint(const PaintTarget& target) override;
  void OnClick(const ControlDef& control) override;
  void OnPictureMouse(const ControlDef& control, UINT message) override;
  bool PictureShown(const ControlDef& control) const override;
  bool OnFormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void OnUnload() override;

 private:
  bool CursorOverPanelAt(const TwipsRect& position) const;
  void ApplyOnTop();  // topmost exactly when the switch "主面板总在最前面" is on
  // A move by the user (the window's pixels no longer those of position_)
  // replaces the position.
  void TakeUpUserMove();
  // Starts or stops T1 for what the panel waits for now, and watches for
  // the cursor leaving; also puts back a corner picture the cursor has left.
  void UpdateDockingWait();
  void WatchCursorLeaving();  // TME_LEAVE, once until WM_MOUSELEAVE
  void ResetLeftCornerPictures();
  void ArmMidnightTimer();
  // Registers the hot key of the settings; one that cannot be had is told.
  void RegisterBringOutKey();
  void DateChanged();

  std::function<SYSTEMTIME()> clock_;
  FittedDateText paintedDate_;
  bool docking_ = false;  // from Start to unload: the position is the panel's
  bool dockTimerRunning_ = false;
  bool trackingLeave_ = false;  // TME_LEAVE asked for and not yet reported
  bool inDockingTick_ = false;
  bool keyboardHold_ = false;  // brought out by the hot key, until it is left

  TwipsRect position_{0, 0, 1700, 4260};
  std::array<int, 2> ButtonState{-1, -1};
  std::array<win::Bitmap, 2> normal_;     // Img
  std::array<win::Bitmap, 2> highlight_;  // Img1
  win::Bitmap logo_;
  win::Icon icon_;  // the window's and the notification area's icon
  bool shuttingDown_ = false;
  Colour appliedButton_ = 0xFFFFFFFF;  // button colours last given to the buttons
  Colour appliedText_ = 0xFFFFFFFF;
};

}  // namespace quillet
