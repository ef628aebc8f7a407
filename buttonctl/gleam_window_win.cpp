// Gleam's own child window: painting the banded face and the caption, the
// rounded region, mouse press and hover tracking, typed characters, and
// what it tells a screen reader.
#include "buttonctl/gleam_control_win.h"
#include "base/gleam_dispids.h"

#include "win32/handles.h"
#include "win32/render_messages.h"

namespace lantoc {

namespace {

constexpr wchar_t kWindowClass[] = L"LantocGleamWindow";
constexpr UINT_PTR kHoverTimerId = 1;
// Posted by the default action of the client object: the click comes from
// the message loop, not from inside the screen reader's call.
constexpr UINT kAccessibleClick = WM_APP + 1;

LRESULT CALLBACK GleamWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* control = reinterpret_cast<GleamControl*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!control) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  LRESULT result = 0;
  try {
    result = control->OnMessage(hwnd, msg, wParam, lParam);
  } catch (...) {
    result = ::DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  if (msg == WM_NCDESTROY) ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  return result;
}

bool EnsureWindowClass() {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExW(ModuleInstance(), kWindowClass, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &GleamWindowProc;
  wc.hInstance = ModuleInstance();
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kWindowClass;
  return ::RegisterClassExW(&wc) != 0;
}

void FillSolid(HDC dc, const RECT& rect, ColourRef colour) {
  // An opaque empty text fills without creating a brush.
  const COLORREF old = ::SetBkColor(dc, colour & 0xFFFFFF);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(dc, old);
}

}  // namespace

void UnregisterGleamWindowClass() { ::UnregisterClassW(kWindowClass, ModuleInstance()); }

int GleamControl::Dpi() const {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (hwnd_ && getDpiForWindow) {
    const UINT dpi = getDpiForWindow(hwnd_);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

bool GleamControl::CreateControlWindow(HWND parent, const RECT& pos) {
  if (hwnd_) return true;
  if (!EnsureWindowClass()) return false;
  // hwnd_ is set by WM_NCCREATE so that the first WM_SIZE already shapes it.
  ::CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_CLIPSIBLINGS, pos.left, pos.top,
                    pos.right - pos.left, pos.bottom - pos.top, parent, nullptr, ModuleInstance(),
                    this);
  if (!hwnd_) return false;
  ::EnableWindow(hwnd_, enabled_ ? TRUE : FALSE);
  ::ShowWindow(hwnd_, SW_SHOWNA);
  Reshape();
  return true;
}

void GleamControl::DestroyControlWindow() {
  if (!hwnd_) return;
  if (timerOn_) ::KillTimer(hwnd_, kHoverTimerId);
  timerOn_ = false;
  states_ = GleamStates{};
  leftDown_ = false;
  ::DestroyWindow(hwnd_);  // the region goes with the window
  hwnd_ = nullptr;
}

void GleamControl::Reshape() {
  if (!hwnd_) return;
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  // The system owns the region once SetWindowRgn accepts it and deletes the
  // one it replaces; only a refused region is ours to delete.
  quillet::win::Region region(::CreateRoundRectRgn(0, 0, client.right, client.bottom, kCornerEllipsePx,
                                          kCornerEllipsePx));
  if (region && ::SetWindowRgn(hwnd_, region.get(), TRUE)) region.release();
  Repaint();
}

void GleamControl::Repaint() {
  if (hwnd_) {
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  } else if (viewSink_) {
    viewSink_->OnViewChange(DVASPECT_CONTENT, -1);
  }
}

void GleamControl::PaintBands(HDC dc, int widthPx, int heightPx, int dpi, ColourRef c,
                              bool topToBottom, std::int16_t step) {
  const int heightTwips = static_cast<int>(RoundHalfEven(heightPx * double{kTwipsPerInch} / dpi));
  // The face first takes the starting colour, so that a strip no band
  // reaches (a control too low for one twip band, the sliver below the
  // first band bottom to top) shows the gradient's own colour.
  const ColourRef start = lantoc::DesaltColor(c, 0);
  FillSolid(dc, RECT{0, 0, widthPx, heightPx}, start);
  for (const GradientBand& band : GleamBands(heightTwips, c, topToBottom, step)) {
    PixelRows rows = BandPixelRows(band, dpi);
    if (rows.top < 0) rows.top = 0;
    if (rows.bottom > heightPx) rows.bottom = heightPx;
    if (rows.top >= rows.bottom) continue;
    FillSolid(dc, RECT{0, rows.top, widthPx, rows.bottom}, band.colour);
  }
}

void GleamControl::DrawCaption(HDC dc, int xTwips, int yTwips, int dpi) {
  if (text_.empty()) return;
  const int x = TwipsToPixels(xTwips, dpi);
  const int y = TwipsToPixels(yTwips, dpi);
  LOGFONTW lf{};
  lf.lfHeight = ::MulDiv(kCaptionFontHeightPx, dpi, 96);  // 13 pixels at 96 dpi
  quillet::win::Font font(::CreateFontIndirectW(&lf));
  if (!font) return;
  quillet::win::SelectScope selectFont(dc, font.get());
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  // The whole UTF-16 text: no code page can lose a character on the way.
  ::TextOutW(dc, x, y, text_.data(), static_cast<int>(text_.size()));
  ::SetBkMode(dc, oldMode);
}

void GleamControl::PaintFace(HDC dc, int widthPx, int heightPx, int dpi) {
  const FacePlan plan = PlanFace(states_, foreColor_, posX_, posY_);
  PaintBands(dc, widthPx, heightPx, dpi, plan.gradientBase, plan.topToBottom, kGleamBandDarkening);
  const COLORREF oldText = ::SetTextColor(dc, textColor_ & 0xFFFFFF);
  DrawCaption(dc, plan.captionX, plan.captionY, dpi);
  ::SetTextColor(dc, oldText);
}

void GleamControl::ApplyLook(bool changed) {
  if (changed) Repaint();
  if (!hwnd_) return;
  if (states_.TimerWanted() && !timerOn_) {
    timerOn_ = ::SetTimer(hwnd_, kHoverTimerId, kHoverTimerMs, nullptr) != 0;
  } else if (!states_.TimerWanted() && timerOn_) {
    ::KillTimer(hwnd_, kHoverTimerId);
    timerOn_ = false;
  }
}

void GleamControl::FireClick() {
  if (eventsFrozen_ == 0) events_.Fire(GLEAM_EVENT_CLICK, nullptr);
}

bool GleamControl::Name(HWND, long child, std::wstring* name) {
  if (child != CHILDID_SELF) return false;
  *name = text_;
  return true;
}

bool GleamControl::Role(HWND, long child, long* role) {
  if (child != CHILDID_SELF) return false;
  *role = ROLE_SYSTEM_PUSHBUTTON;
  return true;
}

bool GleamControl::State(HWND window, long child, long* state) {
  if (child != CHILDID_SELF) return false;
  *state &= ~(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSED |
              STATE_SYSTEM_PRESSED);
  *state |= enabled_ ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_UNAVAILABLE;
  if (::GetFocus() == window) *state |= STATE_SYSTEM_FOCUSED;
  if (states_.pressed()) *state |= STATE_SYSTEM_PRESSED;
  return true;
}

bool GleamControl::DefaultAction(HWND, long child, std::wstring* action) {
  if (child != CHILDID_SELF) return false;
  *action = L"按下";
  return true;
}

bool GleamControl::DoDefaultAction(HWND window, long child) {
  return child == CHILDID_SELF && enabled_ && ::PostMessageW(window, kAccessibleClick, 0, 0);
}

void GleamControl::FireKeyPress(WPARAM ch) {
  if (eventsFrozen_ > 0) return;
  SHORT keyAscii = static_cast<SHORT>(ch);
  VARIANT arg;
  ::VariantInit(&arg);
  arg.vt = VT_I2 | VT_BYREF;
  arg.piVal = &keyAscii;
  DISPPARAMS params{&arg, nullptr, 1, 0};
  events_.Fire(GLEAM_EVENT_KEY_PRESS, &params);
}

LRESULT GleamControl::OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCREATE:
      hwnd_ = hwnd;
      break;
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      LRESULT result = 0;
      quillet::win::AnswerRenderMessage(hwnd, msg, wParam, [this, hwnd, msg](HDC target) {
        RECT client{};
        ::GetClientRect(hwnd, &client);
        if (msg == WM_PRINTCLIENT) {
          PaintFace(target, client.right, client.bottom, Dpi());
          return;
        }
        // The screen gets the face whole, never half drawn.
        quillet::win::MemoryDc memory(::CreateCompatibleDC(target));
        quillet::win::Bitmap bitmap(::CreateCompatibleBitmap(
            target, client.right > 0 ? client.right : 1, client.bottom > 0 ? client.bottom : 1));
        if (memory && bitmap) {
          quillet::win::SelectScope select(memory.get(), bitmap.get());
          PaintFace(memory.get(), client.right, client.bottom, Dpi());
          ::BitBlt(target, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
        }
      }, &result);
      if (msg == WM_PAINT) {
        // Paint ends every repaint; a handler may draw over the face.
        AddRef();
        if (eventsFrozen_ == 0) events_.Fire(GLEAM_EVENT_PAINT, nullptr);
        Release();
      }
      return result;
    }
    case WM_SIZE:
      Reshape();
      return 0;
    case WM_MOUSEMOVE:
      ApplyLook(states_.OnMouseMove());
      return 0;
    case WM_TIMER:
      if (wParam == kHoverTimerId) {
        POINT cursor{};
        RECT window{};
        ::GetCursorPos(&cursor);
        ::GetWindowRect(hwnd, &window);
        const bool inside = CursorInside({window.left, window.top, window.right, window.bottom},
                                         cursor.x, cursor.y);
        ApplyLook(states_.OnTimerTick(inside));
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (msg == WM_LBUTTONDOWN) leftDown_ = true;
      if (::GetFocus() != hwnd) ::SetFocus(hwnd);
      ::SetCapture(hwnd);
      ApplyLook(states_.OnButtonDown());
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const bool wasLeftDown = leftDown_ && msg == WM_LBUTTONUP;
      if (msg == WM_LBUTTONUP) leftDown_ = false;
      const bool changed = states_.OnButtonUp();
      if ((wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0 && ::GetCapture() == hwnd) {
        ::ReleaseCapture();
      }
      AddRef();  // a Click handler may release the control
      ApplyLook(changed);
      // A click is a left press and release both on the button.
      const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      RECT client{};
      ::GetClientRect(hwnd, &client);
      if (wasLeftDown && ::PtInRect(&client, at)) FireClick();
      Release();
      return 0;
    }
    case WM_CAPTURECHANGED:
      // Capture taken away in the middle of a press: the press is over.
      if (reinterpret_cast<HWND>(lParam) != hwnd && states_.pressed()) {
        leftDown_ = false;
        ApplyLook(states_.OnButtonUp());
      }
      return 0;
    case WM_CHAR: {
      AddRef();
      FireKeyPress(wParam);
      Release();
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS;
    case WM_GETOBJECT: {
      LRESULT result = 0;
      if (accessible_.Answer(hwnd, wParam, lParam, this, &result)) return result;
      break;
    }
    case kAccessibleClick:
      AddRef();  // a Click handler may release the control
      if (enabled_) FireClick();
      Release();
      return 0;
    case WM_NCDESTROY:
      accessible_.Reset();
      hwnd_ = nullptr;
      timerOn_ = false;
      break;
    default:
      break;
  }
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace lantoc
