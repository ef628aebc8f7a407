// Twips (1/1440 inch) are the unit of every window and control position in
// the program; the window manager wants pixels at the window's own DPI
// (15 twips a pixel at 96 dpi, 10 at 144 dpi).
#pragma once

namespace quillet {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDefaultDpi = 96;

// Nearest pixel, halves to even.
int TwipsToPixels(double twips, int dpi);
double PixelsToTwips(int pixels, int dpi);

}  // namespace quillet
