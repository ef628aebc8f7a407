#include "lookup/lookup_window.h"

#include <commctrl.h>

#include <optional>

#include "base/field_reader.h"
#include "base/paths.h"
#include "forms/pictures_win.h"
#include "forms/skin.h"
#include "lookup/code_search.h"
#include "win32/paint.h"
#include "win32/subclass.h"
#include "win32/text.h"

namespace quillet {

namespace {

// Four blanks leave room for the logo in front of the title.
constexpr char kTitle[] = "    邮编区号查询";
constexpr int kKeywordLimit = 30;  // characters

// A column head drawn by the window.
ControlDef HeadLabel(ControlKey key, double left, double width, std::string text) {
  return Label(key, left, 1320, width, 255, std::move(text), "宋体", 10.5);
}

WindowDef LookupDefinition() {
  WindowDef def;
  def.caption = LookupWindow::kCaption;
  def.width = 4935;
  def.height = 4425;
  ControlDef prompt = Label(LookupWindow::kPrompt, 240, 600, 2175, 375, "请输入查询关键字：", "宋体", 10.5);
  prompt.bold = true;
  ControlDef keyword = TextBox(LookupWindow::kKeyword, 240, 840, 2415, 375, "宋体", 12, false);
  keyword.namedBy = {LookupWindow::kPrompt};
  // The results come as lines padded with blanks into columns under the
  // heads: the box shows them in a fixed-pitch face (a Chinese character as
  // wide as two digits), 9 point, so that the longest line fits the box
  // without wrapping.
  def.controls = {
      Picture(LookupWindow::kLogo, 240, 120, 300, 300),
      prompt,
      keyword,
      ButtonControl(LookupWindow::kSearchButton, 2760, 840, 495, 375, "查询"),
      ButtonControl(LookupWindow::kExitButton, 3600, 840, 1095, 375, "退　出"),
      HeadLabel(LookupWindow::kHeads[0], 240, 495, "省份"),
      HeadLabel(LookupWindow::kHeads[1], 1200, 495, "地区"),
      HeadLabel(LookupWindow::kHeads[3], 2880, 495, "邮编"),
      HeadLabel(LookupWindow::kHeads[2], 3720, 855, "电话区号"),
      TextBox(LookupWindow::kResults, 240, 1560, 4455, 2535, "新宋体", 9, true),
  };
  return def;
}

}  // namespace

LookupWindow::LookupWindow() : Form(LookupDefinition(), FormStyle{}) {}

void LookupWindow::OnLoad() {
  logo_ = MakePictureBitmap(Artwork::Logo);
  HWND keyword = ControlWindow(kKeyword);
  ::SendMessageW(keyword, EM_SETLIMITTEXT, kKeywordLimit, 0);
  ::SendMessageW(ControlWindow(kResults), EM_SETLIMITTEXT, kCodeBoxCapacity, 0);
  // Enter in the keyword box runs the query (a single-line box would only
  // beep).
  win::Subclass(keyword, [this](HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
    return KeywordBoxKeys(box, msg, wParam, lParam);
  });
}

LRESULT LookupWindow::KeywordBoxKeys(HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CHAR && wParam == VK_RETURN) {
    Query();
    return 0;
  }
  return ::DefSubclassProc(box, msg, wParam, lParam);
}

void LookupWindow::Query() {
  HWND keywordBox = ControlWindow(kKeyword);
  const std::string keyword = Trim(Keyword());
  ::SetWindowTextW(keywordBox, win::Widen(keyword).c_str());
  if (keyword.empty()) return;
  const std::optional<std::string> lines = SearchCodes(FileInFolder(program().state.ProgramFolder, kCodeFileName), keyword);
  if (lines) ::SetWindowTextW(ControlWindow(kResults), win::Widen(*lines).c_str());
}

std::string LookupWindow::BoxText(ControlKey key) const {
  HWND box = ControlWindow(key);
  if (!box) return {};
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(box)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
  return win::Narrow(text);
}

void LookupWindow::DrawLabel(const PaintTarget& target, const ControlDef& label) const {
  win::SelectScope select(target.dc, ControlFont(KeyOf(label)));
  const int oldMode = ::SetBkMode(target.dc, TRANSPARENT);
  const COLORREF oldColour = ::SetTextColor(target.dc, win::ToColorRef(CurrentPalette().text));
  RECT box = ControlBox(KeyOf(label));
  const std::wstring text = win::Widen(label.text);
  ::DrawTextW(target.dc, text.c_str(), static_cast<int>(text.size()), &box, DT_NOPREFIX | DT_SINGLELINE);
  ::SetTextColor(target.dc, oldColour);
  ::SetBkMode(target.dc, oldMode);
}

void LookupWindow::Paint(const PaintTarget& target) {
  const Palette palette = CurrentPalette();
  PaintTitleBar(target, kTitle, palette);
  DrawPicture(target.dc, ControlBox(kLogo), logo_.get(), palette.picture, target.dpi);
  for (const ControlDef& c : Definition().controls) {
    if (c.kind == ControlKind::Label) DrawLabel(target, c);
  }
}

void LookupWindow::OnClick(const ControlDef& control) {
  if (!InGroup(control, kButtons)) return;
  if (Is(control, kSearchButton)) {
    Query();
  } else {
    Unload();
  }
}

void ShowCodeLookup(Program& program) {
  LookupWindow& lookup = TheForm<LookupWindow>();
  lookup.Attach(program);
  if (!lookup.Load()) return;
  lookup.Show();
  ::SetFocus(lookup.ControlWindow(LookupWindow::kKeyword));
}

}  // namespace quillet
