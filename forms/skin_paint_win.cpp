#include "forms/skin_paint_win.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/gradient.h"
#include "base/units.h"
#include "win32/handles.h"
#include "win32/paint.h"
#include "win32/text.h"

namespace quillet {

int PaintTarget::Px(double twips) const { return TwipsToPixels(twips, dpi); }

void PaintGradient(const PaintTarget& target, Colour colour, bool fromTop, int step) {
  const int heightTwips = static_cast<int>(PixelsToTwips(target.heightPx, target.dpi) + 0.5);
  for (const GradientBand& band : GradientBands(heightTwips, colour, step)) {
    int top = target.Px(band.top);
    int bottom = target.Px(band.bottom);
    if (top >= target.heightPx) break;  // the overrun past the edge is clipped
    if (!fromTop) {
      const int flippedTop = target.heightPx - bottom;
      bottom = target.heightPx - top;
      top = flippedTop;
    }
    win::FillSolid(target.dc, RECT{0, top, target.widthPx, bottom}, band.colour);
  }
}

bool HighContrastOn() {
  static const bool forced = [] {
    const char* value = std::getenv("QUILLET_HIGH_CONTRAST");
    return value && std::strcmp(value, "1") == 0;
  }();
  if (forced) return true;
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

Palette PaletteNow(const Skin& skin) {
  const auto sys = [](int index) { return static_cast<Colour>(::GetSysColor(index)); };
  SystemColours system;
  system.window = sys(COLOR_WINDOW);
  system.windowText = sys(COLOR_WINDOWTEXT);
  system.face = sys(COLOR_BTNFACE);
  system.faceText = sys(COLOR_BTNTEXT);
  system.highlight = sys(COLOR_HIGHLIGHT);
  system.highlightText = sys(COLOR_HIGHLIGHTTEXT);
  return PaletteOf(skin, HighContrastOn(), system);
}

void PaintBackground(const PaintTarget& target, const Palette& palette) {
  if (palette.flat) {
    win::FillSolid(target.dc, RECT{0, 0, target.widthPx, target.heightPx}, palette.back);
  } else {
    PaintGradient(target, palette.back, true, 2);
  }
}

namespace {

win::Font AngledFont(int heightPx, int angle) {
  LOGFONTW lf{};
  lf.lfHeight = heightPx;
  lf.lfEscapement = angle * 10;
  lf.lfOrientation = angle * 10;
  // No face name: the system's default face. The default character set lets
  // the font mapper pick a face that holds the Chinese characters.
  lf.lfCharSet = DEFAULT_CHARSET;
  return win::Font(::CreateFontIndirectW(&lf));
}

}  // namespace

int AngledTextHeight(int dpi) { return ::MulDiv(13, dpi, 96); }

int AngledTextLength(HDC dc, std::string_view text, int heightPx) {
  win::Font font = AngledFont(heightPx, 0);
  if (!font) return 0;
  const std::wstring wide = win::Widen(text);
  win::SelectScope select(dc, font.get());
  SIZE size{};
  ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size.cx;
}

void DrawAngledText(const PaintTarget& target, double x, double y, std::string_view text,
                    int angle, Colour fore, int heightPx) {
  win::Font font = AngledFont(heightPx > 0 ? heightPx : AngledTextHeight(target.dpi), angle);
  if (!font) return;
  const std::wstring wide = win::Widen(text);
  win::SelectScope select(target.dc, font.get());
  const int oldMode = ::SetBkMode(target.dc, TRANSPARENT);
  const COLORREF oldColour = ::SetTextColor(target.dc, win::ToColorRef(fore));
  ::TextOutW(target.dc, target.Px(x), target.Px(y), wide.c_str(), static_cast<int>(wide.size()));
  ::SetTextColor(target.dc, oldColour);
  ::SetBkMode(target.dc, oldMode);
}

namespace {

// A bar across the full width from top to bottom twips. A drawn line is
// never thinner than one pixel, even where 5 twips round to none.
void FillBar(const PaintTarget& target, double top, double bottom, Colour colour) {
  const int y0 = target.Px(top);
  int y1 = target.Px(bottom);
  if (y1 <= y0) y1 = y0 + 1;
  win::FillSolid(target.dc, RECT{0, y0, target.widthPx, y1}, colour);
}

}  // namespace

void PaintTitleBarAt(const PaintTarget& target, std::string_view title, const Palette& palette,
                     double x, double y) {
  PaintBackground(target, palette);
  DrawAngledText(target, x + 10, y + 10, title, 0, palette.shade);
  DrawAngledText(target, x, y, title, 0, palette.text);
  // Flat, both bars are in the text's colour.
  FillBar(target, 420, 425, palette.flat ? palette.text : DarkenColour(palette.back, 150));
  FillBar(target, 430, 435, palette.flat ? palette.text : DarkenColour(palette.back, -200));
}

void PaintTitleBar(const PaintTarget& target, std::string_view title, const Palette& palette) {
  PaintTitleBarAt(target, title, palette, 400, 170);
}

void DrawPicture(HDC dc, const RECT& box, HBITMAP picture, Colour back, int dpi) {
  win::FillSolid(dc, box, back);
  if (!picture) return;
  BITMAP info{};
  if (!::GetObjectW(picture, sizeof info, &info)) return;
  win::MemoryDc source(::CreateCompatibleDC(dc));
  if (!source) return;
  win::SelectScope select(source.get(), picture);
  const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
  // Scaled from 96 dpi and clipped to the box, as a picture box clips.
  const int width = std::min<int>(::MulDiv(info.bmWidth, dpi, 96), box.right - box.left);
  const int height = std::min<int>(::MulDiv(info.bmHeight, dpi, 96), box.bottom - box.top);
  ::StretchBlt(dc, box.left, box.top, width, height, source.get(), 0, 0, ::MulDiv(width, 96, dpi),
               ::MulDiv(height, 96, dpi), SRCAND);
  ::SetStretchBltMode(dc, oldMode);
}

}  // namespace quillet
