// Rules of the gradient button that need no window: colours, bands,
// caption placement and the hover/press states.
#include "buttonctl/gleam_logic.h"

#include <gtest/gtest.h>

namespace lantoc {
namespace {

TEST(GleamColour, DesaltColorClampsEachComponent) {
  EXPECT_EQ(DesaltColor(Rgb(2, 100, 255), 3), Rgb(0, 97, 252));
  EXPECT_EQ(DesaltColor(Rgb(200, 10, 0), -100), Rgb(255, 110, 100));
  EXPECT_EQ(DesaltColor(Rgb(200, 200, 200), -120), Rgb(255, 255, 255));
  // Extreme 16-bit amounts neither wrap nor overflow.
  EXPECT_EQ(DesaltColor(Rgb(255, 255, 255), INT16_MAX), Rgb(0, 0, 0));
  EXPECT_EQ(DesaltColor(Rgb(0, 0, 0), INT16_MIN), Rgb(255, 255, 255));
  // dc 0 keeps the colour but drops the highest byte.
  EXPECT_EQ(DesaltColor(0xFF123456u, 0), 0x00123456u);
}

TEST(GleamColour, vRGBPicksOneByte) {
  EXPECT_EQ(vRGB(0x123456, u"x"), 0x12);
  EXPECT_EQ(vRGB(0x123456, u"R"), 0x56);
  EXPECT_EQ(vRGB(0x123456, u"r"), 0x56);
  EXPECT_EQ(vRGB(0x123456, u"g"), 0x34);
  EXPECT_EQ(vRGB(0x123456, u"G"), 0x34);
  EXPECT_EQ(vRGB(0x123456, u""), 0x12);
  EXPECT_EQ(vRGB(0x123456, u"rr"), 0x12) << "only the one-letter texts name red and green";
}

TEST(GleamBands, DefaultButtonStepsFiveTwipsAndDarkensByThree) {
  const auto bands = GleamBands(300, kDefaultForeColor, true, kGleamBandDarkening);
  for (int i = 0; i < kGleamBandCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(bands[i].top, 5 * i);
    EXPECT_EQ(bands[i].bottom, 5 * i + 5);
    const int shade = std::max(0, 200 - 3 * i);
    EXPECT_EQ(bands[i].colour, Rgb(shade, shade, shade));
  }
  EXPECT_GE(bands.back().bottom, 300) << "68 bands reach past the bottom edge";
}

TEST(GleamBands, BottomToTopStartsOneStepAboveTheBottom) {
  const auto bands = GleamBands(300, Rgb(10, 200, 7), false, 3);
  EXPECT_EQ(bands[0].top, 290);
  EXPECT_EQ(bands[0].bottom, 295);
  EXPECT_EQ(bands[1].top, 285);
  EXPECT_EQ(bands[67].top, 295 - 68 * 5);
  EXPECT_EQ(bands[0].colour, Rgb(10, 200, 7));
  EXPECT_EQ(bands[1].colour, Rgb(7, 197, 4));
  EXPECT_EQ(bands[4].colour, Rgb(0, 188, 0)) << "components stop at 0";
}

TEST(GleamBands, StepRoundsHalvesToEven) {
  // 157.5 / 63 = 2.5 is not reachable with whole twips; 63 * k + 31.5 isn't
  // either, so check the halves through the helper and the steps around them.
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-0.4), 0);
  EXPECT_EQ(GleamBands(94, 0, true, 3)[1].top, 1);   // 1.49 -> 1
  EXPECT_EQ(GleamBands(95, 0, true, 3)[1].top, 2);   // 1.51 -> 2
  // Too low for a band: every band is empty, all at y 0.
  EXPECT_EQ(GleamBands(20, 0, true, 3)[67].bottom, 0);
}

TEST(GleamBands, PixelRowsTakeTheBandAtTheirTopEdge) {
  const auto bands = GleamBands(300, kDefaultForeColor, true, 3);
  // At 96 dpi a pixel is 15 twips, three 5-twip bands: row r shows band 3r.
  int nextRow = 0;
  for (int i = 0; i < kGleamBandCount; ++i) {
    const PixelRows rows = BandPixelRows(bands[i], 96);
    if (i % 3 == 0) {
      EXPECT_EQ(rows.top, nextRow) << i;
      EXPECT_EQ(rows.bottom, nextRow + 1) << i;
      ++nextRow;
    } else {
      EXPECT_EQ(rows.top, rows.bottom) << "band " << i << " paints no row";
    }
  }
  // Bands above the top edge (bottom to top) give negative rows, clipped later.
  EXPECT_EQ(BandPixelRows({-45, -40, 0}, 96).top, -3);
  EXPECT_EQ(BandPixelRows({-40, -35, 0}, 96).bottom, -2);
  // At 144 dpi a pixel is 10 twips.
  EXPECT_EQ(BandPixelRows({5, 10, 0}, 144).top, 1);
  EXPECT_EQ(BandPixelRows({5, 10, 0}, 144).bottom, 1);
}

TEST(GleamUnits, TwipsToPixelsHalvesToEven) {
  EXPECT_EQ(TwipsToPixels(1000, 96), 67);
  EXPECT_EQ(TwipsToPixels(300, 96), 20);
  EXPECT_EQ(TwipsToPixels(7.5, 96), 0);     // 0.5 -> 0
  EXPECT_EQ(TwipsToPixels(22.5, 96), 2);    // 1.5 -> 2
  EXPECT_EQ(TwipsToPixels(300, 144), 30);
  EXPECT_EQ(TwipsToPixels(300, 0), 20);
}

TEST(GleamStates, HoverPressAndRelease) {
  GleamStates s;
  EXPECT_FALSE(s.hovering());
  EXPECT_FALSE(s.TimerWanted());
  EXPECT_TRUE(s.OnMouseMove());
  EXPECT_TRUE(s.TimerWanted());
  EXPECT_FALSE(s.OnMouseMove()) << "further moves change nothing";
  EXPECT_FALSE(s.OnTimerTick(true));
  EXPECT_TRUE(s.hovering());

  EXPECT_TRUE(s.OnButtonDown());
  FacePlan plan = PlanFace(s, kDefaultForeColor, 100, 100);
  EXPECT_EQ(plan.gradientBase, kDefaultForeColor) << "pressed wins over hover";
  EXPECT_FALSE(plan.topToBottom);
  EXPECT_EQ(plan.captionX, 110);
  EXPECT_EQ(plan.captionY, 110);

  // Released outside: the press ends, the timer then ends the hover.
  EXPECT_TRUE(s.OnButtonUp());
  EXPECT_FALSE(s.pressed());
  plan = PlanFace(s, kDefaultForeColor, 100, 100);
  EXPECT_EQ(plan.gradientBase, Rgb(255, 255, 255));
  EXPECT_TRUE(plan.topToBottom);
  EXPECT_EQ(plan.captionX, 100);
  EXPECT_TRUE(s.OnTimerTick(false));
  EXPECT_FALSE(s.hovering());
  EXPECT_FALSE(s.TimerWanted());
  EXPECT_FALSE(s.OnTimerTick(false));
  plan = PlanFace(s, Rgb(1, 2, 3), 7, 8);
  EXPECT_EQ(plan.gradientBase, Rgb(1, 2, 3));
  EXPECT_EQ(plan.captionY, 8);
}

TEST(GleamGeometry, CursorInsideIsStrict) {
  const Rect r{10, 20, 110, 40};
  EXPECT_TRUE(CursorInside(r, 11, 21));
  EXPECT_TRUE(CursorInside(r, 109, 39));
  EXPECT_FALSE(CursorInside(r, 10, 30));
  EXPECT_FALSE(CursorInside(r, 110, 30));
  EXPECT_FALSE(CursorInside(r, 50, 20));
  EXPECT_FALSE(CursorInside(r, 50, 40));
  EXPECT_FALSE(CursorInside(r, -5, -5));
}

}  // namespace
}  // namespace lantoc
