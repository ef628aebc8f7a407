// Platform-free rules of the gradient button Gleam: colour arithmetic, the
// 68-band face, caption placement, the hover/press states and the stored
// properties. The control library takes nothing of the organiser program
// but the number and unit arithmetic of base/ (library quillet_numbers).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "base/numbers.h"
#include "base/units.h"

namespace lantoc {

// 0x00BBGGRR, red in the lowest byte (the Windows colour reference layout).
using ColourRef = std::uint32_t;

constexpr ColourRef Rgb(int red, int green, int blue) {
  return static_cast<ColourRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// Halves to even, twips to whole pixels: the program's own arithmetic.
using quillet::kTwipsPerInch;
using quillet::RoundHalfEven;
using quillet::TwipsToPixels;

// Byte 0 (red) of col for "r"/"R", byte 1 (green) for "g"/"G", byte 2
// (blue) for any other text, the empty one included.
std::uint8_t vRGB(ColourRef col, std::u16string_view rgbFlag);

// Each component minus dc (dc is a 16-bit signed amount), 0 where negative,
// 255 where above: a positive dc darkens, a negative one lightens.
ColourRef DesaltColor(ColourRef c, std::int16_t dc);

// One band of the face, in twips from the control's top edge. top < bottom
// always; a band may lie partly outside the control (drawing clips it).
struct GradientBand {
  int top = 0;
  int bottom = 0;
  ColourRef colour = 0;
};

inline constexpr int kGleamBandCount = 68;
inline constexpr int kGleamBandDivisor = 63;  // 63 bands cover the height
inline constexpr std::int16_t kGleamBandDarkening = 3;

// The 68 bands of ColorGradient(C, TopToBottom, dc) for a control
// heightTwips high, in drawing order. Band height is heightTwips / 63
// rounded halves to even; bottom to top starts at the rounded
// (height - step) and moves up. Each band is dc darker than the one before.
std::array<GradientBand, kGleamBandCount> GleamBands(int heightTwips, ColourRef c,
                                                     bool topToBottom, std::int16_t dc);

// Pixel rows [top, bottom) a band paints at dpi: a pixel row takes the
// colour of the band that holds the twip position of its top edge, so a
// band thinner than a pixel may paint no row at all.
struct PixelRows {
  int top = 0;
  int bottom = 0;
};
PixelRows BandPixelRows(const GradientBand& band, int dpi);

// Hover and press tracking. Every On* member answers whether the look
// changed (so the control repaints).
class GleamStates {
 public:
  bool hovering() const { return hovering_; }
  bool pressed() const { return pressed_; }
  // The hover timer runs exactly while hovering.
  bool TimerWanted() const { return hovering_; }

  bool OnMouseMove();                    // starts hovering
  bool OnTimerTick(bool cursorInside);   // hover ends once the cursor is out
  bool OnButtonDown();
  bool OnButtonUp();                     // wherever the button is released

 private:
  bool hovering_ = false;
  bool pressed_ = false;
};

// What one repaint draws, from the states and the properties (twips).
struct FacePlan {
  ColourRef gradientBase = 0;
  bool topToBottom = true;
  int captionX = 0;
  int captionY = 0;
};
inline constexpr int kPressedCaptionShift = 10;      // twips right and down
inline constexpr std::int16_t kHoverLightening = -120;
FacePlan PlanFace(const GleamStates& states, ColourRef foreColor, int posX, int posY);

// Strictly inside (left < x < right, top < y < bottom): the cursor on the
// edge of the window rectangle is outside.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};
bool CursorInside(const Rect& windowRect, int x, int y);

// Keys and defaults of the stored properties.
inline constexpr const char16_t* kKeyEnabled = u"Enabled";
inline constexpr const char16_t* kKeyForeColor = u"ForeColor";
inline constexpr const char16_t* kKeyPosX = u"PosX";
inline constexpr const char16_t* kKeyPosY = u"PosY";
inline constexpr const char16_t* kKeyTextColor = u"TextColor";
inline constexpr const char16_t* kKeyText = u"Text";

inline constexpr bool kDefaultEnabled = true;
inline constexpr ColourRef kDefaultForeColor = Rgb(200, 200, 200);
inline constexpr int kDefaultPosX = 100;   // twips
inline constexpr int kDefaultPosY = 100;   // twips
inline constexpr ColourRef kDefaultTextColor = 0;
inline constexpr int kDefaultWidthTwips = 1000;
inline constexpr int kDefaultHeightTwips = 300;

// Caption font height in pixels and corner ellipse of the window region.
inline constexpr int kCaptionFontHeightPx = 13;
inline constexpr int kCornerEllipsePx = 15;
inline constexpr unsigned kHoverTimerMs = 50;

}  // namespace lantoc
