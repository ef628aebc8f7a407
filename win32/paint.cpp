#include "win32/paint.h"

#include "base/gradient.h"
#include "base/units.h"

namespace quillet::win {

void FillSolid(HDC dc, const RECT& rect, Colour colour) {
  // ExtTextOut with ETO_OPAQUE fills without creating a brush.
  const COLORREF old = ::SetBkColor(dc, ToColorRef(colour));
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(dc, old);
}

void FillGradient(HDC dc, int widthPx, int heightPx, int dpi, Colour colour, int step) {
  const double heightTwips = PixelsToTwips(heightPx, dpi);
  for (const GradientBand& band : GradientBands(static_cast<int>(heightTwips + 0.5), colour, step)) {
    const int top = TwipsToPixels(band.top, dpi);
    if (top >= heightPx) break;  // the overrun below the edge is clipped
    const RECT r{0, top, widthPx, TwipsToPixels(band.bottom, dpi)};
    FillSolid(dc, r, band.colour);
  }
}

Bitmap CreateTopDownDib(int width, int height, void** bits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return Bitmap(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, bits, nullptr, 0));
}

BufferedDc::BufferedDc(HDC target, int width, int height)
    : target_(target), width_(width), height_(height),
      memory_(::CreateCompatibleDC(target)),
      bitmap_(::CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1)) {
  oldBitmap_ = ::SelectObject(memory_.get(), bitmap_.get());
}

BufferedDc::~BufferedDc() {
  ::BitBlt(target_, 0, 0, width_, height_, memory_.get(), 0, 0, SRCCOPY);
  ::SelectObject(memory_.get(), oldBitmap_);
}

}  // namespace quillet::win
