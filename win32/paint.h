// Drawing helpers shared by every window: filled rectangles, the banded
// background, and an off-screen buffer that is blitted in one go.
#pragma once

#include <windows.h>

#include "base/colour.h"
#include "win32/handles.h"

namespace quillet::win {

inline COLORREF ToColorRef(Colour c) { return static_cast<COLORREF>(c & 0xFFFFFF); }

void FillSolid(HDC dc, const RECT& rect, Colour colour);

// A top-down 32-bit DIB section (rows top first, 0x00RRGGBB pixels);
// *bits receives its pixel memory, valid while the bitmap lives.
Bitmap CreateTopDownDib(int width, int height, void** bits);

// The 64-band background over a widthPx x heightPx area, band geometry in
// twips at the given DPI.
void FillGradient(HDC dc, int widthPx, int heightPx, int dpi, Colour colour, int step);

// A solid brush of the colour last asked for, made again only when the
// colour changes (a control's background, asked at every WM_CTLCOLOR*).
class ColourBrush {
 public:
  HBRUSH For(Colour colour) {
    if (!brush_ || colour != colour_) {
      brush_.reset(::CreateSolidBrush(ToColorRef(colour)));
      colour_ = colour;
    }
    return brush_.get();
  }
  void Reset() { brush_.reset(); }

 private:
  Brush brush_;
  Colour colour_ = 0;
};

// Paints into a memory bitmap and copies it to the target when destroyed.
class BufferedDc {
 public:
  BufferedDc(HDC target, int width, int height);
  ~BufferedDc();
  BufferedDc(const BufferedDc&) = delete;
  BufferedDc& operator=(const BufferedDc&) = delete;
  HDC dc() const { return memory_.get(); }

 private:
  HDC target_;
  int width_;
  int height_;
  MemoryDc memory_;
  Bitmap bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
};

}  // namespace quillet::win
