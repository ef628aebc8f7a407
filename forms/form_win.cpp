#include "forms/form_win.h"

#include <windowsx.h>

#include <algorithm>

#include "base/numbers.h"
#include "base/placement.h"
#include "base/units.h"
#include "base/window_geometry.h"
#include "forms/skin.h"
#include "forms/window_shape_win.h"
#include "win32/accessible_hook.h"
#include "win32/dpi.h"
#include "win32/paint.h"
#include "win32/render_messages.h"
#include "win32/subclass.h"
#include "win32/text.h"

namespace quillet {

namespace {

constexpr wchar_t kFormClass[] = L"QuilletForm";
constexpr int kRoundRadius = 20;

// Never destroyed: forms are function-local statics whose destructors may
// run after any other static has gone.
std::vector<Form*>& Registry() {
  static auto* forms = new std::vector<Form*>;
  return *forms;
}

DWORD StyleOf(const FormStyle& s) {
  if (!s.framed) return WS_POPUP | WS_CLIPCHILDREN;
  return (s.sizable ? WS_OVERLAPPEDWINDOW : (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU)) |
         WS_CLIPCHILDREN;
}

DWORD ExStyleOf(const FormStyle& s) {
  // Frameless windows stay off the task bar like tool windows.
  return (s.topmost ? WS_EX_TOPMOST : 0u) |
         (s.framed ? (WS_EX_APPWINDOW | WS_EX_DLGMODALFRAME) : WS_EX_TOOLWINDOW);
}

// Outer size in pixels for an inner size in twips.
SIZE OuterSize(const WindowDef& def, const FormStyle& style, int dpi) {
  RECT r{0, 0, TwipsToPixels(def.width, dpi), TwipsToPixels(def.height, dpi)};
  if (style.framed) ::AdjustWindowRectEx(&r, StyleOf(style), FALSE, ExStyleOf(style));
  return {r.right - r.left, r.bottom - r.top};
}

// The host's description of a gradient button: its place in whole twips
// and the stored properties a designer would have saved for it.
win::ControlDefinition GleamDefinition(const ControlDef& c) {
  win::ControlDefinition g;
  g.name = c.name + "(" + std::to_string(c.index) + ")";
  g.left = RoundToInt32(c.left);
  g.top = RoundToInt32(c.top);
  g.width = RoundToInt32(c.width);
  g.height = RoundToInt32(c.height);
  const CaptionOffset caption = CentredCaption(c.text, c.width, c.height);
  g.properties = {{"Text", c.text}, {"PosX", caption.x}, {"PosY", caption.y}};
  return g;
}

struct SystemClass {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

bool IsCombo(const ControlDef& c) {
  return c.kind == ControlKind::ComboBox || c.kind == ControlKind::ComboEdit;
}

SystemClass SystemClassOf(const ControlDef& c) {
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
  switch (c.kind) {
    case ControlKind::CheckBox:
      return {L"BUTTON", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case ControlKind::Option:
      return {L"BUTTON", kChild | WS_TABSTOP | BS_AUTORADIOBUTTON, 0};
    case ControlKind::Frame:
      return {L"BUTTON", kChild | BS_GROUPBOX, 0};
    case ControlKind::ComboBox:
      return {L"COMBOBOX", kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case ControlKind::ListBox:
      return {L"LISTBOX",
              // The sideways scroll bar shows once the window sets a
              // horizontal extent wider than the box.
              kChild | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
              WS_EX_CLIENTEDGE};
    case ControlKind::ScrollBar:
      return {L"SCROLLBAR", kChild | WS_TABSTOP | SBS_HORZ, 0};
    case ControlKind::ComboEdit:
      return {L"COMBOBOX", kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
    default: {
      // Overlapping boxes (the calendar's cells) paint in their z-order.
      DWORD style = kChild | WS_TABSTOP | WS_CLIPSIBLINGS;
      style |= c.multiLine ? (ES_MULTILINE | ES_AUTOVSCROLL | (c.scrollBar ? WS_VSCROLL : 0u))
                           : ES_AUTOHSCROLL;
      if (c.readOnly) style |= ES_READONLY;
      return {L"EDIT", style, WS_EX_CLIENTEDGE};
    }
  }
}

}  // namespace

Form::Form(WindowDef def, FormStyle style) : def_(std::move(def)), style_(style) {}

Form::~Form() { Destroy(); }

int Form::Dpi() const { return IsLoaded() ? win::WindowDpi(hwnd()) : win::ScreenDpi(); }

int Form::Px(double twips) const { return TwipsToPixels(twips, Dpi()); }

RECT Form::ControlBox(ControlKey key) const {
  const ControlDef* c = FindControl(def_, key);
  if (!c) return RECT{};
  const PixelBox b = ToPixels(*c, Dpi());
  return RECT{b.left, b.top, b.left + b.width, b.top + b.height};
}

HWND Form::ControlWindow(ControlKey key) const {
  const ControlDef* c = FindControl(def_, key);
  return c ? ChildAt(static_cast<std::size_t>(c - def_.controls.data())) : nullptr;
}

GridView* Form::Grid(ControlKey key) const {
  const ControlDef* c = FindControl(def_, key);
  if (!c || grids_.empty()) return nullptr;
  return grids_[static_cast<std::size_t>(c - def_.controls.data())].get();
}

double Form::LeftTwips() const {
  RECT r{};
  ::GetWindowRect(hwnd(), &r);
  return PixelsToTwips(r.left, Dpi());
}

double Form::TopTwips() const {
  RECT r{};
  ::GetWindowRect(hwnd(), &r);
  return PixelsToTwips(r.top, Dpi());
}

void Form::MoveToTwips(double left, double top) {
  ::SetWindowPos(hwnd(), nullptr, Px(left), Px(top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Form::LoadForm() {
  if (IsLoaded()) return true;
  const int dpi = win::ScreenDpi();
  SIZE size = OuterSize(def_, style_, dpi);
  if (!Create(kFormClass, win::Widen(def_.caption), StyleOf(style_), ExStyleOf(style_),
              {0, 0, size.cx, size.cy})) {
    return false;
  }
  // The window may sit on a monitor of another DPI than the primary one.
  const int windowDpi = Dpi();
  if (windowDpi != dpi) {
    size = OuterSize(def_, style_, windowDpi);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    LayoutControls();
  }
  if (style_.topmost) {
    ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (style_.rounded) RoundCorners(hwnd(), kRoundRadius);
  if (style_.centred) {
    const TwipsRect p = CentreOnScreen(TwipsRect{0, 0, size.cx, size.cy},
                                       ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    ::SetWindowPos(hwnd(), nullptr, p.left, p.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // A window opened from one the keyboard is used in shows its focus too.
  focusCues_ = false;
  const HWND front = ::GetForegroundWindow();
  for (const Form* form : Registry()) {
    if (form != this && form->hwnd() == front) focusCues_ = form->focusCues_;
  }
  ColourButtons();
  OnLoad();
  return IsLoaded();
}

void Form::ApplyDefinition() {
  if (!IsLoaded()) return;
  RECT r{};
  ::GetWindowRect(hwnd(), &r);
  const SIZE size = OuterSize(def_, style_, Dpi());
  ::SetWindowPos(hwnd(), nullptr, r.left + (r.right - r.left - size.cx) / 2,
                 r.top + (r.bottom - r.top - size.cy) / 2, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  LayoutControls();
  if (style_.rounded) RoundCorners(hwnd(), kRoundRadius);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void Form::Unload() { Destroy(); }

void Form::Show() {
  if (!IsLoaded()) return;
  ::ShowWindow(hwnd(), SW_SHOW);
  ::UpdateWindow(hwnd());
}

void Form::Hide() {
  if (IsLoaded()) ::ShowWindow(hwnd(), SW_HIDE);
}

void Form::Render(HDC dc) {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  win::BufferedDc buffer(dc, client.right, client.bottom);
  Paint(PaintTarget{buffer.dc(), client.right, client.bottom, Dpi()});
}

void Form::Render(HDC dc, int dpi) {
  const int width = TwipsToPixels(def_.width, dpi);
  const int height = TwipsToPixels(def_.height, dpi);
  win::BufferedDc buffer(dc, width, height);
  Paint(PaintTarget{buffer.dc(), width, height, dpi});
}

void Form::ClickButton(ControlKey key) {
  const ControlDef* c = FindControl(def_, key);
  if (!c || c->kind != ControlKind::Gleam) return;
  if (HWND button = ControlWindow(key)) {
    ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }
}

HFONT Form::ControlFont(ControlKey key) const {
  const ControlDef* c = FindControl(def_, key);
  if (!c || fonts_.empty()) return nullptr;
  return fonts_[static_cast<std::size_t>(c - def_.controls.data())].get();
}

void Form::InvalidateControl(ControlKey key) {
  if (!IsLoaded()) return;
  const RECT box = ControlBox(key);
  ::InvalidateRect(hwnd(), &box, FALSE);
}

void Form::PaintLabel(const PaintTarget& target, const ControlDef& label, UINT format) const {
  const win::Font font = ControlFontAt(label, target.dpi);
  win::SelectScope select(target.dc, font ? font.get() : ::GetStockObject(DEFAULT_GUI_FONT));
  const int oldMode = ::SetBkMode(target.dc, TRANSPARENT);
  const COLORREF oldColour = ::SetTextColor(target.dc, win::ToColorRef(CurrentPalette().text));
  const PixelBox b = ToPixels(label, target.dpi);
  RECT box{b.left, b.top, b.left + b.width, b.top + b.height};
  const std::wstring text = win::Widen(label.text);
  ::DrawTextW(target.dc, text.c_str(), static_cast<int>(text.size()), &box, format);
  ::SetTextColor(target.dc, oldColour);
  ::SetBkMode(target.dc, oldMode);
}

void Form::SetButtonColours(Colour fore, Colour text) {
  cueColour_ = text;
  for (const auto& button : buttons_) {
    if (!button) continue;
    button->SetForeColor(fore);
    button->SetTextColor(text);
  }
}

void Form::ColourButtons() {
  const Palette palette = CurrentPalette();
  SetButtonColours(palette.button, palette.buttonText);
}

void Form::OnColoursChanged() {
  ColourButtons();
  ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form::CreateControls() {
  const int dpi = Dpi();
  children_.assign(def_.controls.size(), nullptr);
  buttons_.clear();
  buttons_.resize(def_.controls.size());
  grids_.clear();
  grids_.resize(def_.controls.size());
  fonts_.clear();
  fonts_.resize(def_.controls.size());
  for (std::size_t i = 0; i < def_.controls.size(); ++i) {
    const ControlDef& c = def_.controls[i];
    const PixelBox box = ToPixels(c, dpi);
    const int id = ControlId(def_, c);
    if (c.kind == ControlKind::Gleam) {
      auto button = std::make_unique<win::GleamButton>();
      if (button->Create(hwnd(), GleamDefinition(c), dpi)) {
        button->OnClick([this, i] { OnClick(def_.controls[i]); });
        // The focus cue (and in high contrast the edge) is the window's:
        // drawn over the button's face as it gains the focus and after each
        // repaint.
        win::Subclass(button->hwnd(), [this, i](HWND b, UINT msg, WPARAM wParam, LPARAM lParam) {
          if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) ::InvalidateRect(b, nullptr, FALSE);
          const LRESULT result = ::DefSubclassProc(b, msg, wParam, lParam);
          if (msg == WM_PAINT) PaintOverButton(b, def_.controls[i]);
          return result;
        });
        buttons_[i] = std::move(button);
      }
    } else if (c.kind == ControlKind::Grid) {
      auto grid = std::make_unique<GridView>();
      const RECT r{box.left, box.top, box.left + box.width, box.top + box.height};
      if (grid->Create(hwnd(), id, r, dpi)) {
        children_[i] = grid->hwnd();
        grids_[i] = std::move(grid);
      }
    } else if (c.kind != ControlKind::Picture && c.kind != ControlKind::Label) {
      const SystemClass sys = SystemClassOf(c);
      children_[i] = ::CreateWindowExW(sys.exStyle, sys.className, win::Widen(c.text).c_str(),
                                       sys.style, box.left, box.top, box.width,
                                       IsCombo(c) ? box.height * 12 : box.height,
                                       hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                       ::GetModuleHandleW(nullptr), nullptr);
    }
    // A label the window draws names the box beside it to screen readers.
    if (children_[i] && !c.namedBy.empty()) {
      win::NameForScreenReaders(children_[i], win::Widen(AccessibleName(def_, c)));
    }
  }
  LayoutControls();
}

void Form::LayoutControls() {
  const int dpi = Dpi();
  for (std::size_t i = 0; i < def_.controls.size() && i < children_.size(); ++i) {
    const ControlDef& c = def_.controls[i];
    win::Font font = ControlFontAt(c, dpi);
    if (buttons_[i]) {
      const win::ControlDefinition g = GleamDefinition(c);
      buttons_[i]->Move(g.left, g.top, g.width, g.height, dpi);
      continue;
    }
    if (grids_[i]) {
      const PixelBox box = ToPixels(c, dpi);
      grids_[i]->Move(RECT{box.left, box.top, box.left + box.width, box.top + box.height}, dpi);
    } else if (children_[i]) {
      const PixelBox box = ToPixels(c, dpi);
      // A drop-down list's height is that of its list; the box is the edit part.
      const int height = IsCombo(c) ? box.height * 12 : box.height;
      ::MoveWindow(children_[i], box.left, box.top, box.width, height, TRUE);
      if (IsCombo(c)) {
        ::SendMessageW(children_[i], CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                       std::max(1, box.height - 6));
      }
      if (font) {
        ::SendMessageW(children_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
      }
    }
    // The old font goes only now that the control holds the new one.
    if (font) fonts_[i] = std::move(font);
  }
}

HWND Form::ChildAt(std::size_t i) const {
  if (i >= children_.size()) return nullptr;
  return buttons_[i] ? buttons_[i]->hwnd() : children_[i];
}

std::size_t Form::ControlHolding(HWND window) const {
  for (std::size_t i = 0; i < children_.size(); ++i) {
    const HWND w = ChildAt(i);
    if (w && (w == window || ::IsChild(w, window))) return i;
  }
  return children_.size();
}

std::vector<std::size_t> Form::OptionGroup(std::size_t i) const {
  std::vector<std::size_t> group;
  for (std::size_t j = 0; j < children_.size(); ++j) {
    const ControlDef& o = def_.controls[j];
    if (o.kind == ControlKind::Option && o.name == def_.controls[i].name && ChildAt(j)) {
      group.push_back(j);
    }
  }
  return group;
}

bool Form::TakesFocus(std::size_t i) const {
  const ControlDef& c = def_.controls[i];
  if (c.kind == ControlKind::Picture || c.kind == ControlKind::Label ||
      c.kind == ControlKind::Frame) {
    return false;
  }
  const HWND w = ChildAt(i);
  if (!w || !::IsWindowVisible(w) || !::IsWindowEnabled(w) || !TabStop(c)) return false;
  if (c.kind != ControlKind::Option) return true;
  // One stop for a group of options: the checked one, else the first.
  const std::vector<std::size_t> group = OptionGroup(i);
  for (std::size_t j : group) {
    if (::SendMessageW(ChildAt(j), BM_GETCHECK, 0, 0) == BST_CHECKED) return j == i;
  }
  return group.front() == i;
}

bool Form::MoveFocus(int step) {
  const std::size_t focused = ControlHolding(::GetFocus());
  std::vector<std::size_t> stops;
  std::vector<PixelBox> boxes;
  for (std::size_t i = 0; i < children_.size(); ++i) {
    if (i != focused && !TakesFocus(i)) continue;
    RECT r{};
    ::GetWindowRect(ChildAt(i), &r);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    stops.push_back(i);
    boxes.push_back({r.left, r.top, r.right - r.left, r.bottom - r.top});
  }
  if (stops.empty()) return false;
  const std::vector<std::size_t> order = ReadingOrder(boxes);
  const int count = static_cast<int>(order.size());
  int at = -1;
  for (int k = 0; k < count; ++k) {
    if (stops[order[static_cast<std::size_t>(k)]] == focused) at = k;
  }
  const int next = at < 0 ? (step > 0 ? 0 : count - 1) : ((at + step) % count + count) % count;
  const std::size_t control = stops[order[static_cast<std::size_t>(next)]];
  const HWND target = ChildAt(control);
  focusCues_ = true;
  ::SetFocus(target);
  // A box reached by Tab has its text selected, ready to be typed over.
  const ControlDef& c = def_.controls[control];
  if (c.kind == ControlKind::TextBox && !c.multiLine && !c.readOnly) {
    ::SendMessageW(target, EM_SETSEL, 0, -1);
  }
  return true;
}

bool Form::MoveOption(std::size_t i, int step) {
  std::vector<std::size_t> group = OptionGroup(i);
  std::erase_if(group, [this](std::size_t j) { return !::IsWindowEnabled(ChildAt(j)); });
  const auto at = std::find(group.begin(), group.end(), i);
  if (at == group.end()) return false;
  const int count = static_cast<int>(group.size());
  const int next = ((static_cast<int>(at - group.begin()) + step) % count + count) % count;
  const HWND option = ChildAt(group[static_cast<std::size_t>(next)]);
  focusCues_ = true;
  ::SetFocus(option);
  ::SendMessageW(option, BM_CLICK, 0, 0);
  return true;
}

bool Form::OnNavigationKey(HWND target, WPARAM key, bool repeat) {
  const std::size_t control = ControlHolding(target);
  const ControlKind kind =
      control < children_.size() ? def_.controls[control].kind : ControlKind::Picture;
  // An open drop-down list takes Esc and Enter itself.
  if ((kind == ControlKind::ComboBox || kind == ControlKind::ComboEdit) &&
      (key == VK_ESCAPE || key == VK_RETURN) &&
      ::SendMessageW(ChildAt(control), CB_GETDROPPEDSTATE, 0, 0)) {
    return false;
  }
  if (key == VK_ESCAPE) return OnEscape();
  const bool shift = ::GetKeyState(VK_SHIFT) < 0;
  const bool plain = ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_MENU) >= 0;
  switch (key) {
    case VK_TAB:
      return plain && MoveFocus(shift ? -1 : 1);
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT: {
      const int step = key == VK_UP || key == VK_LEFT ? -1 : 1;
      if (kind == ControlKind::Option) return MoveOption(control, step);
      const bool upDown = key == VK_UP || key == VK_DOWN;
      return kind == ControlKind::Gleam && upDown && ArrowsMoveFocus() && MoveFocus(step);
    }
    case VK_RETURN:
    case VK_SPACE:
      if (kind != ControlKind::Gleam || !plain) return false;
      // Held down, the key presses the button once.
      if (!repeat && ::IsWindowEnabled(target)) OnClick(def_.controls[control]);
      return true;
    default:
      return false;
  }
}

void Form::ShowFocusCues() {
  focusCues_ = true;
  const HWND focus = ::GetFocus();
  for (const auto& button : buttons_) {
    if (button && button->hwnd() == focus) ::InvalidateRect(focus, nullptr, FALSE);
  }
}

void Form::PaintOverButton(HWND button, const ControlDef& control) const {
  const bool edge = CurrentPalette().flat;
  const bool cue = focusCues_ && ::GetFocus() == button;
  if (!edge && !cue) return;
  RECT face{};
  ::GetClientRect(button, &face);
  const int dpi = win::WindowDpi(button);
  const int line = std::max(1, ::MulDiv(1, dpi, 96));
  win::WindowDc dc(button);
  win::Brush brush(::CreateSolidBrush(win::ToColorRef(cueColour_)));
  if (!dc.get() || !brush) return;
  const auto ring = [&](int inset) {
    for (int k = 0; k < line; ++k) {
      const RECT r{face.left + inset + k, face.top + inset + k, face.right - inset - k,
                   face.bottom - inset - k};
      ::FrameRect(dc.get(), &r, brush.get());
    }
  };
  // Flat buttons on a flat background need their edge drawn, along their
  // rounded shape where they have one.
  if (edge) {
    win::Region shape(::CreateRectRgn(0, 0, 0, 0));
    if (shape && ::GetWindowRgn(button, shape.get()) != ERROR) {
      ::FrameRgn(dc.get(), shape.get(), brush.get(), line, line);
    } else {
      ring(0);
    }
  }
  // The cue 3 pixels inside the edge, closer where the caption leaves less room.
  const int room = TwipsToPixels(CentredCaption(control.text, control.width, control.height).x, dpi);
  if (cue) ring(std::clamp(room - line - 1, edge ? line + 1 : 1, ::MulDiv(3, dpi, 96)));
}

const ControlDef* Form::PictureAt(POINT client) const {
  const int dpi = Dpi();
  for (const ControlDef& c : def_.controls) {
    if (c.kind != ControlKind::Picture || !PictureShown(c)) continue;
    const PixelBox b = ToPixels(c, dpi);
    if (client.x >= b.left && client.x < b.left + b.width && client.y >= b.top &&
        client.y < b.top + b.height) {
      return &c;
    }
  }
  return nullptr;
}

void Form::RoutePictureMouse(UINT msg, LPARAM lParam) {
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const ControlDef* picture = PictureAt(at);
  const bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN;
  const bool up = msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP;
  if (pressed_ && (up || msg == WM_MOUSEMOVE)) {
    // While a button is held the pressed picture gets the events, as a
    // picture box holds the mouse capture.
    const ControlDef* target = pressed_;
    if (up) {
      pressed_ = nullptr;
      ::ReleaseCapture();
    }
    OnPictureMouse(*target, msg);
    if (up && msg == WM_LBUTTONUP && picture == target) OnClick(*target);
    return;
  }
  if (picture) {
    if (down) {
      pressed_ = picture;
      ::SetCapture(hwnd());
    }
    OnPictureMouse(*picture, msg);
    return;
  }
  if (msg == WM_LBUTTONDOWN) DragWindow(hwnd(), 1);
}

LRESULT Form::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (OnFormMessage(msg, wParam, lParam, &result)) return result;
  // Render covers every pixel.
  if (win::AnswerRenderMessage(hwnd(), msg, wParam, [this](HDC dc) { Render(dc); }, &result)) {
    return result;
  }
  switch (msg) {
    case WM_CREATE:
      Registry().push_back(this);
      CreateControls();
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      RoutePictureMouse(msg, lParam);
      return 0;
    case WM_CAPTURECHANGED:
      pressed_ = nullptr;
      return 0;
    case WM_COMMAND:
      if (lParam != 0) {
        const int id = LOWORD(wParam);
        for (const ControlDef& c : def_.controls) {
          if (ControlId(def_, c) == id) {
            OnCommand(c, HIWORD(wParam));
            break;
          }
        }
      }
      return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      OnColoursChanged();
      break;
    case WM_DPICHANGED: {
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      const SIZE size = OuterSize(def_, style_, HIWORD(wParam));
      ::SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, size.cx, size.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      LayoutControls();
      if (style_.rounded) RoundCorners(hwnd(), kRoundRadius);
      ::InvalidateRect(hwnd(), nullptr, FALSE);
      return 0;
    }
    case WM_DESTROY:
      OnUnload();
      // Wine's edit control keeps the word-break table of a multi-line box
      // past the box's end (a byte per character, lost at every close of a
      // help viewer or calendar); emptied first, the box gives it back.
      for (std::size_t i = 0; i < def_.controls.size(); ++i) {
        if (def_.controls[i].multiLine && children_[i]) ::SetWindowTextW(children_[i], L"");
      }
      // Each control goes before its parent window does.
      buttons_.clear();
      grids_.clear();
      return 0;
    default:
      break;
  }
  return DefaultProc(msg, wParam, lParam);
}

void Form::OnDetached() {
  auto& forms = Registry();
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  children_.clear();
  fonts_.clear();  // the controls that used them are gone
  pressed_ = nullptr;
}

win::Font ControlFontAt(const ControlDef& c, int dpi) {
  if (c.fontPoints <= 0) return win::Font();
  LOGFONTW lf{};
  lf.lfHeight = -::MulDiv(static_cast<int>(c.fontPoints * 100 + 0.5), dpi, 7200);
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfWeight = c.bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = c.underline ? TRUE : FALSE;
  const std::wstring face = win::Widen(c.font);
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  return win::Font(::CreateFontIndirectW(&lf));
}

std::vector<Form*> LoadedForms() { return Registry(); }

bool RouteKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  const HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
  for (Form* form : Registry()) {
    if (form->hwnd() == root) {
      return form->OnNavigationKey(msg.hwnd, msg.wParam, (msg.lParam & 0x40000000) != 0);
    }
  }
  return false;
}

void UnloadFormsExcept(const Form* keep) {
  for (;;) {
    Form* next = nullptr;
    for (Form* form : Registry()) {
      if (form != keep) {
        next = form;
        break;
      }
    }
    if (!next) return;
    next->Unload();
    // A window that refused to go must not hold the loop.
    auto& forms = Registry();
    forms.erase(std::remove(forms.begin(), forms.end(), next), forms.end());
  }
}

}  // namespace quillet
