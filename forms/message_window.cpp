#include "forms/message_window.h"

#include "forms/pictures_win.h"
#include "forms/skin.h"
#include "win32/paint.h"
#include "win32/text.h"

namespace quillet {

namespace {

constexpr char kTitle[] = "    Quillet提示：";
constexpr char kLabelFont[] = "楷体_GB2312";
constexpr double kLabelPoints = 14.25;
constexpr double kCopyOffset = 8;  // twips right of and below Lbl

WindowDef MessageDefinition() {
  WindowDef def;
  def.caption = "Quillet";
  def.width = 4680;
  def.height = 2475;
  def.controls = {
      Label("Lbl", 320, 600, 4095, 975, "", kLabelFont, kLabelPoints),
      Label("Lbl1", 320 + kCopyOffset, 600 + kCopyOffset, 4095, 975, "", kLabelFont, kLabelPoints),
      ButtonControl("Gleam1", 0, 1440, 1800, 1695, 495, "确　　定"),
      Picture("Logo", 0, 240, 120, 300, 300),
  };
  return def;
}

void DrawLabel(const PaintTarget& target, const RECT& box, HFONT font, const std::string& text,
               Colour colour) {
  if (text.empty()) return;
  win::SelectScope select(target.dc, font);
  const int oldMode = ::SetBkMode(target.dc, TRANSPARENT);
  const COLORREF oldColour = ::SetTextColor(target.dc, win::ToColorRef(colour));
  RECT r = box;
  const std::wstring wide = win::Widen(text);
  ::DrawTextW(target.dc, wide.c_str(), static_cast<int>(wide.size()), &r,
              DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
  ::SetTextColor(target.dc, oldColour);
  ::SetBkMode(target.dc, oldMode);
}

}  // namespace

MessageWindow::MessageWindow() : Form(MessageDefinition(), FormStyle{}) {}

void MessageWindow::SetText(std::string_view text) {
  text_ = std::string(text);
  if (IsLoaded()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void MessageWindow::OnLoad() {
  logo_ = MakePictureBitmap(Artwork::Logo);
}

void MessageWindow::Paint(const PaintTarget& target) {
  const Colour background = CurrentSkin().background;
  PaintTitleBar(target, kTitle, background);
  DrawPicture(target.dc, ControlBox("Logo"), logo_.get(), background, target.dpi);
  // The copy label follows the text at every paint.
  if (copyText_ != text_) copyText_ = text_;
  // The light copy lies behind, 8 twips right and below; the text on top.
  DrawLabel(target, ControlBox("Lbl1"), ControlFont("Lbl1"), copyText_, 0xFFFFFF);
  DrawLabel(target, ControlBox("Lbl"), ControlFont("Lbl"), text_, 0x000000);
}

void MessageWindow::OnClick(const ControlDef& control) {
  if (control.name == "Gleam1") Unload();
}

void ShowMessage(std::string_view text) {
  MessageWindow& dialog = TheForm<MessageWindow>();
  if (!dialog.Load()) return;
  dialog.SetText(text);
  dialog.Show();
}

void ShowMessageAndWait(std::string_view text) {
  ShowMessage(text);
  MessageWindow& dialog = TheForm<MessageWindow>();
  MSG msg;
  while (dialog.IsLoaded() && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

}  // namespace quillet
