#include "reminders/reminder_popup_window.h"

#include <algorithm>

#include "forms/skin.h"
#include "forms/sound_player_win.h"
#include "reminders/due_check_win.h"
#include "reminders/schedule.h"
#include "win32/handles.h"
#include "win32/paint.h"
#include "win32/scroll_bar.h"
#include "win32/text.h"

namespace quillet {

namespace {

constexpr char kHeading[] = "Tamber提示：下列工作要启动了！";
constexpr char kCloseText[] = "关\u3000闭\u3000提\u3000醒";
constexpr char kSnoozeText[] = "稍\u3000后\u3000提\u3000醒";
constexpr const char* kSnoozeChoices[] = {"5 分钟", "10 分钟", "30 分钟", "1 小时"};
constexpr UINT_PTR kSoundTimer = 1;  // Timer1
// Posted by the snooze button's click: the choice opens once the button's
// own mouse handling is over.
constexpr UINT kOpenSnoozeChoice = WM_APP + 1;
// Twips. The text's lines (18 characters) run on past the label nearly to
// the window's edge: a scroll bar widens the window and stands beyond it.
constexpr double kWidth = 5175;
constexpr double kBarLeft = kWidth;
constexpr double kBarWidth = 225;
constexpr double kScrollingWidth = kBarLeft + kBarWidth + 105;

struct DestroyMenuRelease { void operator()(HMENU h) const { ::DestroyMenu(h); } };
using Menu = win::Owned<HMENU, DestroyMenuRelease>;

// Twips; both labels in 宋体 12 point bold, the heading underlined.
WindowDef PopupDefinition() {
  WindowDef def;
  def.caption = ReminderPopupWindow::kCaption;
  def.width = kWidth;
  def.height = 2730;
  using W = ReminderPopupWindow;
  ControlDef heading = Label(W::kHeadingLabel, 360, 120, 3615, 375, kHeading, "宋体", 12);
  heading.bold = true;
  heading.underline = true;
  ControlDef text = Label(W::kTextLabel, 360, 480, 4455, 1215, "", "宋体", 12);
  text.bold = true;
  def.controls = {heading, text,
                  ButtonControl(W::kCloseButton, 360, 1920, 2115, 495, kCloseText),
                  ButtonControl(W::kSnoozeButton, 2700, 1920, 2115, 495, kSnoozeText)};
  return def;
}

int LineHeight(HDC dc) {
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  return std::max(1, static_cast<int>(metrics.tmHeight));
}

}  // namespace

ReminderPopupWindow::ReminderPopupWindow()
    : Form(PopupDefinition(), FormStyle{}), sound_(ProgramSoundPlayer()) {}

void ReminderPopupWindow::Present(std::vector<FiredReminder> reminders, std::string_view prompt) {
  prompt_ = std::string(prompt);
  if (!LoadForm()) return;
  text_.clear();
  for (const FiredReminder& reminder : reminders) {
    if (!text_.empty()) text_ += "\r\n";  // a blank line between two reminders
    text_ += ReminderPopupText(reminder);
  }
  shown_ = std::move(reminders);
  lines_ = 0;
  for (std::size_t at = text_.find("\r\n"); at != std::string::npos; at = text_.find("\r\n", at + 2)) {
    ++lines_;
  }
  topLine_ = 0;
  LayOutScrollBar();
  // The whole surface: a line may run past the label's right edge.
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  // Above the other windows, but the program the user types in keeps the
  // focus.
  ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  ::UpdateWindow(hwnd());
}

void ReminderPopupWindow::LayOutScrollBar() {
  if (!scrollBar_) return;
  const RECT box = ControlBox(kTextLabel);
  int lineHeight = 1;
  {
    win::WindowDc dc(hwnd());
    win::SelectScope font(dc.get(), ControlFont(kTextLabel));
    lineHeight = LineHeight(dc.get());
  }
  const int visible = std::max(1, static_cast<int>((box.bottom - box.top) / lineHeight));
  scrolls_ = lines_ > visible;
  if (Definition().width != (scrolls_ ? kScrollingWidth : kWidth)) {
    MutableDefinition().width = scrolls_ ? kScrollingWidth : kWidth;
    ApplyDefinition();
  }
  ::MoveWindow(scrollBar_, Px(kBarLeft), box.top, Px(kBarWidth), box.bottom - box.top, TRUE);
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, lines_ - 1),
                  static_cast<UINT>(visible), topLine_, 0};
  ::SetScrollInfo(scrollBar_, SB_CTL, &info, TRUE);
  ::ShowWindow(scrollBar_, scrolls_ ? SW_SHOWNA : SW_HIDE);
}

void ReminderPopupWindow::ScrollTo(int line) {
  SCROLLINFO info{sizeof info, SIF_PAGE | SIF_RANGE, 0, 0, 0, 0, 0};
  ::GetScrollInfo(scrollBar_, SB_CTL, &info);
  const int last = std::max(0, info.nMax - static_cast<int>(info.nPage) + 1);
  topLine_ = std::clamp(line, 0, last);
  ::SetScrollPos(scrollBar_, SB_CTL, topLine_, TRUE);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void ReminderPopupWindow::OnLoad() {
  text_.clear();
  shown_.clear();
  lines_ = topLine_ = 0;
  scrolls_ = false;
  scrollBar_ = ::CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | SBS_VERT, 0, 0, 0, 0, hwnd(),
                                 nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ::SetTimer(hwnd(), kSoundTimer, kReminderSoundTickMs, nullptr);
}

void ReminderPopupWindow::OnUnload() {
  ::KillTimer(hwnd(), kSoundTimer);
  sound_.Stop();
  scrollBar_ = nullptr;  // destroyed with the window
}

void ReminderPopupWindow::DrawLabel(const PaintTarget& target, ControlKey label,
                                    std::string_view text, int right, int skipLines) const {
  win::SelectScope font(target.dc, ControlFont(label));
  // The label's height bounds the text; a line a wider face makes longer
  // than the label runs on to right rather than being cut.
  RECT box = ControlBox(label);
  box.right = right;
  // Scrolled text shows whole lines only: a line cut through the middle
  // would look garbled.
  const int lineHeight = LineHeight(target.dc);
  if (skipLines >= 0) {
    box.bottom = box.top + std::max(1, static_cast<int>((box.bottom - box.top) / lineHeight)) * lineHeight;
  }
  const int saved = ::SaveDC(target.dc);
  ::IntersectClipRect(target.dc, box.left, box.top, box.right, box.bottom);
  box.top -= std::max(0, skipLines) * lineHeight;
  const std::wstring wide = win::Widen(text);
  ::DrawTextW(target.dc, wide.c_str(), static_cast<int>(wide.size()), &box, DT_NOPREFIX);
  ::RestoreDC(target.dc, saved);
}

void ReminderPopupWindow::Paint(const PaintTarget& target) {
  const Palette palette = CurrentPalette();
  PaintBackground(target, palette);
  const int oldMode = ::SetBkMode(target.dc, TRANSPARENT);
  const COLORREF oldColour = ::SetTextColor(target.dc, win::ToColorRef(palette.text));
  DrawLabel(target, kHeadingLabel, kHeading, target.widthPx, -1);
  DrawLabel(target, kTextLabel, text_, scrolls_ ? Px(kBarLeft) : target.widthPx, topLine_);
  ::SetTextColor(target.dc, oldColour);
  ::SetBkMode(target.dc, oldMode);
}

void ReminderPopupWindow::OnClick(const ControlDef& control) {
  if (Is(control, kCloseButton)) {
    Unload();
  } else if (Is(control, kSnoozeButton)) {
    ::PostMessageW(hwnd(), kOpenSnoozeChoice, 0, 0);
  }
}

void ReminderPopupWindow::ChooseSnooze() {
  Menu menu(::CreatePopupMenu());
  for (std::size_t i = 0; i < std::size(kSnoozeMinutes); ++i) {
    ::AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(kSnoozeMinutes[i]),
                  win::Widen(kSnoozeChoices[i]).c_str());
  }
  // Upwards from the button, over the text: inside the pop-up.
  // A tick during the menu's loop may show other reminders: the choice is
  // for those shown when it opened, and the pop-up stays for the new ones.
  const std::vector<FiredReminder> chosen = shown_;
  const std::string text = text_;
  const RECT button = ControlBox(kSnoozeButton);
  POINT corner{button.left, button.top};
  ::ClientToScreen(hwnd(), &corner);
  const int minutes = static_cast<int>(::TrackPopupMenu(
      menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_BOTTOMALIGN, corner.x, corner.y,
      0, hwnd(), nullptr));
  if (minutes <= 0) return;
  SnoozeReminders(program(), chosen, minutes);
  if (IsLoaded() && text_ == text) Unload();
}

bool ReminderPopupWindow::OnFormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (msg) {
    case WM_TIMER:
      if (wParam != kSoundTimer) return false;
      sound_.Tick(ReminderSounds(prompt_, program().state.Parameters[kParamReminderSound]),
                  program().state.Parameters[kParamSoundFile]);
      break;
    case kOpenSnoozeChoice:
      ChooseSnooze();
      break;
    case WM_VSCROLL: {
      if (reinterpret_cast<HWND>(lParam) != scrollBar_ || !scrollBar_) return false;
      SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
      ::GetScrollInfo(scrollBar_, SB_CTL, &info);
      ScrollTo(win::VerticalScrollTarget(wParam, topLine_, static_cast<int>(info.nPage), lines_,
                                         info.nTrackPos));
      break;
    }
    case WM_MOUSEWHEEL:
      if (!scrolls_) return false;
      ScrollTo(topLine_ - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
      break;
    case WM_KEYDOWN:  // once activated: Enter and Space as "关闭提醒"
      if (wParam != VK_RETURN && wParam != VK_SPACE) return false;
      Unload();
      break;
    default:
      return false;
  }
  *result = 0;
  return true;
}

void ShowReminders(Program& program, std::vector<FiredReminder> reminders) {
  if (reminders.empty()) return;
  const auto sounding = std::find_if(reminders.begin(), reminders.end(), [](const FiredReminder& r) {
    return PromptWantsSound(r.prompt);
  });
  const std::string prompt = sounding != reminders.end() ? sounding->prompt : reminders.back().prompt;
  ReminderPopupWindow& popup = TheForm<ReminderPopupWindow>();
  popup.Attach(program);
  popup.Present(std::move(reminders), prompt);
}

}  // namespace quillet
