#include "shell/about_window.h"

#include "forms/pictures_win.h"
#include "forms/skin.h"
#include "lookup/help_window.h"
#include "win32/paint.h"
#include "win32/text.h"
#include "quillet_version.h"

namespace quillet {

namespace {

constexpr char kTitle[] = "    关于Quillet";

// Five lines; the first ends with the version (the file VERSION).
constexpr char kNotice[] =
    "Quillet 桌面助手  版本号：" QUILLET_VERSION_TEXT "\r\n"
    "工作记录、定时提醒、农历日历、\r\n"
    "电话区号与邮编查询，尽在桌边。\r\n"
    "本软件可自由使用和复制。\r\n"
    "使用说明请按“帮助”查看。";

WindowDef AboutDefinition() {
  return WindowDef{AboutWindow::kCaption, 5625, 3045, {
      ButtonControl(AboutWindow::kHelpButton, 2160, 2280, 1335, 450, "帮　　 助"),
      ButtonControl(AboutWindow::kCancelButton, 3960, 2280, 1335, 450, "取　　 消"),
      Picture(AboutWindow::kPicture, 240, 600, 1500, 1500),
      Picture(AboutWindow::kLogo, 240, 120, 300, 300),
      Label(AboutWindow::kNoticeLabel, 1920, 720, 3615, 1215, kNotice, "宋体", 10.5),
  }};
}

}  // namespace

AboutWindow::AboutWindow() : Form(AboutDefinition(), FormStyle{.topmost = false}) {}

void AboutWindow::OnLoad() {
  logo_ = MakePictureBitmap(Artwork::Logo);
  picture_ = MakeAboutPicture();
}

void AboutWindow::Paint(const PaintTarget& target) {
  const Palette palette = CurrentPalette();
  PaintTitleBar(target, kTitle, palette);
  DrawPicture(target.dc, ControlBox(kLogo), logo_.get(), palette.picture, target.dpi);
  DrawPicture(target.dc, ControlBox(kPicture), picture_.get(), palette.picture, target.dpi);
  const ControlDef* label = FindControl(Definition(), kNoticeLabel);
  win::SelectScope select(target.dc, ControlFont(kNoticeLabel));
  const int oldMode = ::SetBkMode(target.dc, TRANSPARENT);
  const COLORREF oldColour = ::SetTextColor(target.dc, win::ToColorRef(palette.text));
  RECT box = ControlBox(kNoticeLabel);
  const std::wstring text = win::Widen(label->text);
  ::DrawTextW(target.dc, text.c_str(), static_cast<int>(text.size()), &box,
              DT_WORDBREAK | DT_NOPREFIX);
  ::SetTextColor(target.dc, oldColour);
  ::SetBkMode(target.dc, oldMode);
}

void AboutWindow::OnClick(const ControlDef& control) {
  if (!InGroup(control, kButtons)) return;
  if (Is(control, kHelpButton)) {
    Hide();
    ShowHelpViewer(program());
  }
  Unload();
}

}  // namespace quillet
