// The skinned look every window paints: the banded gradient background,
// text at an angle, the drawn title strip, and the small pictures combined
// with their back colour. Positions are twips and become pixels at the
// target's DPI here, in one place.
#pragma once

#include <windows.h>

#include <string_view>

#include "base/colour.h"
#include "forms/skin.h"

namespace quillet {

// Where a window paints: a DC (screen, memory or printing) covering the
// window's client area of widthPx x heightPx at dpi.
struct PaintTarget {
  HDC dc = nullptr;
  int widthPx = 0;
  int heightPx = 0;
  int dpi = 96;
  int Px(double twips) const;
};

// 64 bands of height/63 twips, each `step` darker than the one before;
// fromTop false runs the bands upwards from the bottom edge. The overrun
// past the far edge is clipped.
void PaintGradient(const PaintTarget& target, Colour colour, bool fromTop, int step);

// Whether the system's high-contrast setting is on, or the environment
// variable QUILLET_HIGH_CONTRAST is 1 at the start (a testing aid: Wine
// cannot switch the setting on).
bool HighContrastOn();

// The palette of skin as the windows paint it now: with high contrast on,
// the system's current colours.
Palette PaletteNow(const Skin& skin);

// A window's background: the gradient from the top (as PaintGradient with
// step 2), or one colour when the palette is flat.
void PaintBackground(const PaintTarget& target, const Palette& palette);

// Text at (x, y) twips in `fore`, rotated by angle degrees (counter-
// clockwise; -90 runs downwards), in the system's default face, with no
// background; heightPx 0 is the usual size, AngledTextHeight(target.dpi).
void DrawAngledText(const PaintTarget& target, double x, double y, std::string_view text,
                    int angle, Colour fore, int heightPx = 0);

// The usual height of that text: 13 pixels at 96 dpi, scaled with the DPI.
int AngledTextHeight(int dpi);

// Length in pixels of text in that face heightPx high, along its baseline
// (the same at any angle).
int AngledTextLength(HDC dc, std::string_view text, int heightPx);

// The title strip: the background, the title with a light copy 10 twips
// right and below, and two thin bars under it.
void PaintTitleBar(const PaintTarget& target, std::string_view title, const Palette& palette);

// The same strip with the title at another place (the help viewer's title
// sits further right): light copy at (x + 10, y + 10), title at (x, y).
void PaintTitleBarAt(const PaintTarget& target, std::string_view title, const Palette& palette,
                     double x, double y);

// Clears box to back, then combines the picture with it by AND of colours
// (white picture pixels show the back colour) at the box's top-left corner,
// in its own size scaled from 96 dpi to dpi, clipped to the box.
void DrawPicture(HDC dc, const RECT& box, HBITMAP picture, Colour back, int dpi);

}  // namespace quillet
