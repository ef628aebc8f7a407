#include "forms/message_window.h"

#include <algorithm>
#include <utility>

#include "base/units.h"
#include "forms/pictures_win.h"
#include "forms/skin.h"
#include "win32/paint.h"
#include "win32/text.h"

namespace quillet {

namespace {

constexpr char kTitle[] = "    Quillet提示：";
constexpr char kLabelFont[] = "楷体_GB2312";
// The label's font, then the smaller sizes it steps down to for long texts.
constexpr double kLabelPoints[] = {14.25, 12, 10.5, 9};
constexpr double kCopyOffset = 8;  // twips right of and below Lbl
// Designed label box and button top, twips.
constexpr double kLabelLeft = 320;
constexpr double kLabelTop = 600;
constexpr double kLabelWidth = 4095;
constexpr double kLabelHeight = 975;
constexpr double kButtonTop = 1800;
constexpr double kDialogHeight = 2475;

constexpr char kOkText[] = "确　　定";

// The buttons sit in a row, centred under the label: one button of the
// designed width, or several narrower ones.
WindowDef MessageDefinition(double points = kLabelPoints[0], double extra = 0,
                            const std::vector<std::string>& answers = {kOkText}) {
  WindowDef def;
  def.caption = "Quillet";
  def.width = 4680;
  def.height = kDialogHeight + extra;
  def.controls = {
      Label(MessageWindow::kText, kLabelLeft, kLabelTop, kLabelWidth, kLabelHeight + extra, "", kLabelFont,
            points),
      Label(MessageWindow::kTextShadow, kLabelLeft + kCopyOffset, kLabelTop + kCopyOffset, kLabelWidth,
            kLabelHeight + extra, "", kLabelFont, points),
      Picture(MessageWindow::kLogo, 240, 120, 300, 300),
  };
  const int count = static_cast<int>(answers.size());
  const double width = count == 1 ? 1695 : 1410;
  const double gap = 90;
  const double left = (def.width - count * width - (count - 1) * gap) / 2;
  for (int i = 0; i < count; ++i) {
    def.controls.push_back(ButtonControl(MessageWindow::kAnswers[i], left + i * (width + gap),
                                         kButtonTop + extra, width, 495,
                                         answers[static_cast<std::size_t>(i)]));
  }
  return def;
}

// Marks that never begin a line, and marks that never end one.
bool NeverStartsALine(wchar_t c) {
  return std::wstring_view(L"，。、；：？！）》」』〕】”’…,.;:?!)]}%").find(c) != std::wstring_view::npos;
}
bool NeverEndsALine(wchar_t c) {
  return std::wstring_view(L"（《「『〔【“‘([{").find(c) != std::wstring_view::npos;
}
bool IsWide(wchar_t c) { return c >= 0x2E80; }

// Whether a line may end between text[i - 1] and text[i].
bool MayBreakBefore(std::wstring_view text, std::size_t i) {
  const wchar_t before = text[i - 1];
  const wchar_t after = text[i];
  if (after >= 0xDC00 && after <= 0xDFFF) return false;  // inside a surrogate pair
  if (NeverStartsALine(after) || NeverEndsALine(before)) return false;
  return before == L' ' || IsWide(before) || IsWide(after) || before == L'\\' || before == L'/';
}

void BreakParagraph(HDC dc, std::wstring_view text, int width, std::wstring& out) {
  std::size_t pos = 0;
  for (;;) {
    const std::wstring_view rest = text.substr(pos);
    int fit = 0;
    SIZE size{};
    ::GetTextExtentExPointW(dc, rest.data(), static_cast<int>(rest.size()), width, &fit, nullptr,
                            &size);
    if (static_cast<std::size_t>(fit) >= rest.size()) {
      out.append(rest);
      return;
    }
    // The last place to break within what fits; a run with none breaks
    // where the line is full (at least one character a line).
    std::size_t cut = pos + static_cast<std::size_t>(std::max(fit, 1));
    std::size_t at = cut;
    while (at > pos + 1 && !MayBreakBefore(text, at)) --at;
    if (MayBreakBefore(text, at)) cut = at;
    else if (text[cut] >= 0xDC00 && text[cut] <= 0xDFFF) ++cut;
    out.append(text.substr(pos, cut - pos));
    out += L'\n';
    pos = cut;
    while (pos < text.size() && text[pos] == L' ') ++pos;
  }
}

void DrawLabel(const PaintTarget& target, const RECT& box, HFONT font, const std::string& text,
               Colour colour) {
  if (text.empty()) return;
  win::SelectScope select(target.dc, font);
  const int oldMode = ::SetBkMode(target.dc, TRANSPARENT);
  const COLORREF oldColour = ::SetTextColor(target.dc, win::ToColorRef(colour));
  RECT r = box;
  const std::wstring lines = BreakLines(target.dc, win::Widen(text), box.right - box.left);
  ::DrawTextW(target.dc, lines.c_str(), static_cast<int>(lines.size()), &r,
              DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
  ::SetTextColor(target.dc, oldColour);
  ::SetBkMode(target.dc, oldMode);
}

}  // namespace

std::wstring BreakLines(HDC dc, std::wstring_view text, int width) {
  std::wstring out;
  for (std::size_t pos = 0;;) {
    const std::size_t end = text.find(L'\n', pos);
    std::wstring_view paragraph = text.substr(pos, end == std::wstring_view::npos ? end : end - pos);
    if (!paragraph.empty() && paragraph.back() == L'\r') paragraph.remove_suffix(1);
    BreakParagraph(dc, paragraph, width, out);
    if (end == std::wstring_view::npos) return out;
    out += L'\n';
    pos = end + 1;
  }
}

MessageLayout LayOutMessage(std::string_view text, int dpi) {
  const std::wstring wide = win::Widen(text);
  const win::MemoryDc dc(::CreateCompatibleDC(nullptr));
  const int width = TwipsToPixels(kLabelLeft + kLabelWidth, dpi) - TwipsToPixels(kLabelLeft, dpi);
  const int top = TwipsToPixels(kLabelTop, dpi);
  MessageLayout layout;
  for (const double points : kLabelPoints) {
    const win::Font font = ControlFontAt(*FindControl(MessageDefinition(points), MessageWindow::kText), dpi);
    win::SelectScope select(dc.get(), font.get());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.get(), &metrics);
    layout.points = points;
    layout.lines = BreakLines(dc.get(), wide, width);
    const auto lines = 1 + std::count(layout.lines.begin(), layout.lines.end(), L'\n');
    const int needed = static_cast<int>(lines) * metrics.tmHeight;  // DrawText's line pitch
    layout.extraHeight = 0;
    while (TwipsToPixels(kLabelTop + kLabelHeight + layout.extraHeight, dpi) - top < needed) {
      layout.extraHeight += 15;
    }
    if (layout.extraHeight <= kLabelHeight) break;
  }
  return layout;
}

MessageWindow::MessageWindow() : Form(MessageDefinition(), FormStyle{}), answers_{kOkText} {}

void MessageWindow::SetAnswers(std::vector<std::string> answers) {
  Unload();  // the buttons are made as the window loads
  answers_ = std::move(answers);
  MutableDefinition() = MessageDefinition(kLabelPoints[0], 0, answers_);
}

void MessageWindow::SetText(std::string_view text) {
  text_ = std::string(text);
  ShapeFor(LayOutMessage(text_, Dpi()));
}

void MessageWindow::ShapeFor(const MessageLayout& layout) {
  const WindowDef wanted = MessageDefinition(layout.points, layout.extraHeight, answers_);
  WindowDef& def = MutableDefinition();
  if (def.height == wanted.height && FindControl(def, kText)->fontPoints == layout.points) {
    if (IsLoaded()) ::InvalidateRect(hwnd(), nullptr, FALSE);
    return;
  }
  def = wanted;
  ApplyDefinition();
}

void MessageWindow::OnLoad() {
  logo_ = MakePictureBitmap(Artwork::Logo);
}

void MessageWindow::Paint(const PaintTarget& target) {
  const Palette palette = CurrentPalette();
  PaintTitleBar(target, kTitle, palette);
  DrawPicture(target.dc, ControlBox(kLogo), logo_.get(), palette.picture, target.dpi);
  // The copy label follows the text at every paint.
  if (copyText_ != text_) copyText_ = text_;
  // The light copy lies behind, 8 twips right and below; the text on top.
  DrawLabel(target, ControlBox(kTextShadow), ControlFont(kTextShadow), copyText_,
            palette.flat ? palette.back : 0xFFFFFF);
  DrawLabel(target, ControlBox(kText), ControlFont(kText), text_, palette.text);
}

bool MessageWindow::OnEscape() {
  answer_ = -1;  // closed without an answer
  Unload();
  return true;
}

bool MessageWindow::OnFormMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT* result) {
  if (msg != WM_KEYDOWN || wParam != VK_RETURN) return false;
  answer_ = 0;  // Enter takes the first answer: 确定, 是, 保存我的修改
  Unload();
  *result = 0;
  return true;
}

void MessageWindow::OnClick(const ControlDef& control) {
  if (!InGroup(control, kAnswers)) return;
  answer_ = control.index;
  Unload();
}

void ShowMessage(Program& program, std::string_view text) {
  MessageWindow& dialog = TheForm<MessageWindow>();
  dialog.Attach(program);
  if (dialog.Answers().size() != 1) dialog.SetAnswers({kOkText});
  // The text first: a dialog that grows for it is centred at its full size.
  dialog.SetText(text);
  if (!dialog.Load()) return;
  dialog.Show();
  ::SetFocus(dialog.ControlWindow(MessageWindow::kAnswers));  // the default answer
}

namespace {

void WaitForTheDialog(const MessageWindow& dialog) {
  MSG msg;
  while (dialog.IsLoaded() && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (RouteKey(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

}  // namespace

void ShowMessageAndWait(Program& program, std::string_view text) {
  ShowMessage(program, text);
  WaitForTheDialog(TheForm<MessageWindow>());
}

int AskAndWait(Program& program, std::string_view text, std::vector<std::string> answers,
               HWND owner) {
  MessageWindow& dialog = TheForm<MessageWindow>();
  dialog.Attach(program);
  dialog.SetAnswers(std::move(answers));
  dialog.SetText(text);
  if (!dialog.Load()) return -1;
  dialog.Show();
  ::SetFocus(dialog.ControlWindow(MessageWindow::kAnswers));  // the default answer
  // The window that asks waits for the answer: it takes no input meanwhile.
  const bool disabled = owner && ::EnableWindow(owner, FALSE) == FALSE;
  WaitForTheDialog(dialog);
  if (disabled) ::EnableWindow(owner, TRUE);
  const int answer = dialog.Answer();
  dialog.SetAnswers({kOkText});
  return answer;
}

SaveAnswer AskToSave(Program& program, std::string_view question, HWND owner) {
  switch (AskAndWait(program, question, {"是", "否", "取消"}, owner)) {
    case 0:
      return SaveAnswer::Yes;
    case 1:
      return SaveAnswer::No;
    default:
      return SaveAnswer::Cancel;
  }
}

}  // namespace quillet
