#include "reminders/reminder_popup_window.h"

#include "forms/skin.h"
#include "forms/sound_player_win.h"
#include "reminders/schedule.h"
#include "win32/handles.h"
#include "win32/text.h"

namespace quillet {

namespace {

constexpr char kHeading[] = "Tamber提示：下列工作要启动了！";
constexpr char kCloseText[] = "关\u3000闭\u3000提\u3000醒";
constexpr UINT_PTR kSoundTimer = 1;  // Timer1

// Twips; both labels in 宋体 12 point bold, the heading underlined.
WindowDef PopupDefinition() {
  WindowDef def;
  def.caption = ReminderPopupWindow::kCaption;
  def.width = 5175;
  def.height = 2730;
  using W = ReminderPopupWindow;
  ControlDef heading = Label(W::kHeadingLabel, 360, 120, 3615, 375, kHeading, "宋体", 12);
  heading.bold = heading.underline = true;
  ControlDef text = Label(W::kTextLabel, 360, 480, 4455, 1215, "", "宋体", 12);
  text.bold = true;
  def.controls = {heading, text, ButtonControl(W::kCloseButton, 960, 1920, 3015, 495, kCloseText)};
  return def;
}

}  // namespace

ReminderPopupWindow::ReminderPopupWindow()
    : Form(PopupDefinition(), FormStyle{}), sound_(ProgramSoundPlayer()) {}

void ReminderPopupWindow::Present(std::string_view text, std::string_view prompt) {
  prompt_ = std::string(prompt);
  if (!LoadForm()) return;
  text_ = std::string(text);
  // The whole surface: a line may run past the label's right edge.
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  Show();
}

void ReminderPopupWindow::OnLoad() {
  text_.clear();
  ::SetTimer(hwnd(), kSoundTimer, kReminderSoundTickMs, nullptr);
}

void ReminderPopupWindow::OnUnload() {
  ::KillTimer(hwnd(), kSoundTimer);
  sound_.Stop();
}

void ReminderPopupWindow::DrawLabel(const PaintTarget& target, ControlKey label,
                                    std::string_view text) const {
  win::SelectScope font(target.dc, ControlFont(label));
  // The label's height bounds the text; a line a wider face makes longer
  // than the label runs on to the window's edge rather than being cut.
  RECT box = ControlBox(label);
  box.right = target.widthPx;
  const std::wstring wide = win::Widen(text);
  ::DrawTextW(target.dc, wide.c_str(), static_cast<int>(wide.size()), &box, DT_NOPREFIX);
}

void ReminderPopupWindow::Paint(const PaintTarget& target) {
  PaintGradient(target, CurrentSkin().background, true, 2);
  const int oldMode = ::SetBkMode(target.dc, TRANSPARENT);
  const COLORREF oldColour = ::SetTextColor(target.dc, 0);
  DrawLabel(target, kHeadingLabel, kHeading);
  DrawLabel(target, kTextLabel, text_);
  ::SetTextColor(target.dc, oldColour);
  ::SetBkMode(target.dc, oldMode);
}

void ReminderPopupWindow::OnClick(const ControlDef& control) {
  if (InGroup(control, kCloseButton)) Unload();
}

bool ReminderPopupWindow::OnFormMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT* result) {
  if (msg != WM_TIMER || wParam != kSoundTimer) return false;
  const ParameterItems& items = program().state.Parameters;
  sound_.Tick(ReminderSounds(prompt_, items[kParamReminderSound]), items[kParamSoundFile]);
  *result = 0;
  return true;
}

void ShowReminder(Program& program, std::string_view content, std::string_view prompt) {
  ReminderPopupWindow& popup = TheForm<ReminderPopupWindow>();
  popup.Attach(program);
  popup.Present(WrapReminderContent(content), prompt);
}

}  // namespace quillet
