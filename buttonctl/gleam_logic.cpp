#include "buttonctl/gleam_logic.h"

#include <algorithm>
#include <cmath>

namespace lantoc {

std::uint8_t vRGB(ColourRef col, std::u16string_view rgbFlag) {
  int shift = 16;
  if (rgbFlag == u"r" || rgbFlag == u"R") shift = 0;
  if (rgbFlag == u"g" || rgbFlag == u"G") shift = 8;
  return static_cast<std::uint8_t>((col >> shift) & 0xFF);
}

ColourRef DesaltColor(ColourRef c, std::int16_t dc) {
  const auto part = [dc](std::uint8_t component) {
    // The difference is taken as a 16-bit signed number; a byte minus a
    // 16-bit amount always fits in 32 bits, so clamp there instead of
    // letting it wrap.
    const int value = static_cast<int>(component) - static_cast<int>(dc);
    return std::clamp(value, 0, 255);
  };
  return Rgb(part(vRGB(c, u"r")), part(vRGB(c, u"g")), part(vRGB(c, u"b")));
}

std::array<GradientBand, kGleamBandCount> GleamBands(int heightTwips, ColourRef c,
                                                     bool topToBottom, std::int16_t dc) {
  int step = static_cast<int>(RoundHalfEven(heightTwips / static_cast<double>(kGleamBandDivisor)));
  int y = 0;
  if (!topToBottom) {
    step = -step;
    y = step + heightTwips;
  }
  ColourRef colour = DesaltColor(c, 0);
  std::array<GradientBand, kGleamBandCount> bands{};
  for (GradientBand& band : bands) {
    band.top = std::min(y, y + step);
    band.bottom = std::max(y, y + step);
    band.colour = colour;
    colour = DesaltColor(colour, dc);
    y += step;
  }
  return bands;
}

namespace {
// First pixel row whose top edge lies at or below twips (ceiling division).
int FirstRowAtOrBelow(int twips, int dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  const long long q = scaled / kTwipsPerInch;
  const long long r = scaled % kTwipsPerInch;
  return static_cast<int>(r > 0 ? q + 1 : q);
}
}  // namespace

PixelRows BandPixelRows(const GradientBand& band, int dpi) {
  if (dpi <= 0) dpi = 96;
  return {FirstRowAtOrBelow(band.top, dpi), FirstRowAtOrBelow(band.bottom, dpi)};
}

bool GleamStates::OnMouseMove() {
  if (hovering_) return false;
  hovering_ = true;
  return true;
}

bool GleamStates::OnTimerTick(bool cursorInside) {
  if (!hovering_ || cursorInside) return false;
  hovering_ = false;
  return true;
}

bool GleamStates::OnButtonDown() {
  // Repaints even when already pressed (a second button), as every press does.
  pressed_ = true;
  return true;
}

bool GleamStates::OnButtonUp() {
  pressed_ = false;
  return true;
}

FacePlan PlanFace(const GleamStates& states, ColourRef foreColor, int posX, int posY) {
  if (states.pressed()) {
    return {foreColor, false, posX + kPressedCaptionShift, posY + kPressedCaptionShift};
  }
  if (states.hovering()) return {DesaltColor(foreColor, kHoverLightening), true, posX, posY};
  return {foreColor, true, posX, posY};
}

bool CursorInside(const Rect& r, int x, int y) {
  return r.left < x && x < r.right && r.top < y && y < r.bottom;
}

}  // namespace lantoc
