#include "lookup/help_window.h"

#include <optional>

#include "forms/message_window.h"
#include "forms/pictures_win.h"
#include "forms/skin.h"
#include "forms/window_shape_win.h"
#include "base/paths.h"
#include "lookup/help_text.h"
#include "win32/text.h"

namespace quillet {

namespace {

constexpr char kTitle[] = "帮助";
constexpr char kCannotOpen[] = "无法打开帮助文件！";
constexpr UINT_PTR kHoverTimer = 1;  // Timer1: watches the mouse leave the close picture
constexpr UINT kHoverMs = 50;

WindowDef HelpDefinition() {
  return WindowDef{HelpWindow::kCaption, 10020, 5865, {
      TextBox(HelpWindow::kText, 130, 480, 9730, 5200, "宋体", 10.5, true),
      Picture(HelpWindow::kClose, 9550, 100, 300, 300),
      Picture(HelpWindow::kLogo, 240, 120, 300, 300),
  }};
}

}  // namespace

HelpWindow::HelpWindow() : Form(HelpDefinition(), FormStyle{}) {}

bool HelpWindow::Load() {
  if (IsLoaded()) return true;
  // Read first: a missing file shows the message and no window at all.
  const std::optional<std::string> text = ReadHelpText(FileInFolder(program().state.ProgramFolder, kHelpFileName));
  if (!text) {
    ShowMessage(program(), kCannotOpen);
    return false;
  }
  if (!LoadForm()) return false;
  ::SetWindowTextW(ControlWindow(kText), win::Widen(*text).c_str());
  return true;
}

std::string HelpWindow::Text() const {
  HWND box = ControlWindow(kText);
  if (!box) return {};
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(box)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
  return win::Narrow(text);
}

void HelpWindow::OnLoad() {
  closeHover_ = {-1, -1};
  logo_ = MakePictureBitmap(Artwork::Logo);
  closeNormal_ = MakePictureBitmap(Artwork::CloseNormal);
  closeHighlight_ = MakePictureBitmap(Artwork::CloseHighlight);
  ::SetTimer(hwnd(), kHoverTimer, kHoverMs, nullptr);
}

void HelpWindow::OnUnload() { ::KillTimer(hwnd(), kHoverTimer); }

void HelpWindow::Paint(const PaintTarget& target) {
  const Palette palette = CurrentPalette();
  const Colour background = palette.picture;
  PaintTitleBarAt(target, kTitle, palette, 600, 200);
  DrawPicture(target.dc, ControlBox(kLogo), logo_.get(), background, target.dpi);
  DrawPicture(target.dc, ControlBox(kClose),
              closeHover_[0] == -1 ? closeNormal_.get() : closeHighlight_.get(), background,
              target.dpi);
}

void HelpWindow::OnClick(const ControlDef& control) {
  if (InGroup(control, kClose)) Unload();
}

void HelpWindow::OnPictureMouse(const ControlDef& control, UINT message) {
  if (!InGroup(control, kClose) || message != WM_MOUSEMOVE) return;
  closeHover_[static_cast<std::size_t>(control.index)] = 0;
  InvalidateControl(kClose[control.index]);
}

bool HelpWindow::OnFormMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT* result) {
  if (msg != WM_TIMER || wParam != kHoverTimer) return false;
  if (closeHover_[0] == 0 && !CursorOverControl(hwnd(), ControlBox(kClose))) {
    closeHover_[0] = -1;
    InvalidateControl(kClose);
  }
  *result = 0;
  return true;
}

void ShowHelpViewer(Program& program) {
  HelpWindow& viewer = TheForm<HelpWindow>();
  viewer.Attach(program);
  if (viewer.Load()) viewer.Show();
}

}  // namespace quillet
