// Rules of the gradient button that a rendering at the test DPI cannot
// reach: clamping at the 16-bit extremes, the one-letter colour flags,
// rounding halves to even, other DPIs and the strict cursor test. The faces
// themselves are checked on rendered pixels by gleam_test.
#include "buttonctl/gleam_logic.h"

#include <gtest/gtest.h>

namespace lantoc {
namespace {

TEST(GleamColour, DesaltColorClampsAndvRGBPicksOneByte) {
  EXPECT_EQ(DesaltColor(Rgb(255, 255, 255), INT16_MAX), Rgb(0, 0, 0));
  EXPECT_EQ(DesaltColor(Rgb(0, 0, 0), INT16_MIN), Rgb(255, 255, 255));
  EXPECT_EQ(DesaltColor(0xFF123456u, 0), 0x00123456u);  // dc 0 drops the highest byte
  const std::pair<const char16_t*, int> kFlags[] = {
      {u"R", 0x56}, {u"r", 0x56}, {u"G", 0x34}, {u"g", 0x34}, {u"x", 0x12}, {u"", 0x12}, {u"rr", 0x12}};
  for (const auto& [flag, byte] : kFlags) EXPECT_EQ(vRGB(0x123456, flag), byte);
}

TEST(GleamBands, StepsAndPixelRowsRoundHalvesToEven) {
  // 7.5 twips are 0.5 px -> 0, 22.5 are 1.5 -> 2; no DPI counts as 96.
  EXPECT_EQ((std::array<std::int64_t, 5>{RoundHalfEven(-2.5), TwipsToPixels(7.5, 96), TwipsToPixels(22.5, 96),
                                          TwipsToPixels(300, 144), TwipsToPixels(300, 0)}),
            (std::array<std::int64_t, 5>{-2, 0, 2, 30, 20}));
  EXPECT_EQ(GleamBands(94, 0, true, 3)[1].top, 1);  // 1.49 -> 1
  EXPECT_EQ(GleamBands(95, 0, true, 3)[1].top, 2);  // 1.51 -> 2
  EXPECT_EQ(GleamBands(20, 0, true, 3)[67].bottom, 0);  // too low for a band: all empty at 0
  // Bands above the top edge (bottom to top) give negative rows, clipped later.
  EXPECT_EQ(BandPixelRows({-45, -40, 0}, 96).top, -3);
  EXPECT_EQ(BandPixelRows({-40, -35, 0}, 96).bottom, -2);
  // At 144 dpi a pixel is 10 twips: a band inside one pixel paints no row.
  EXPECT_EQ(std::pair(BandPixelRows({5, 10, 0}, 144).top, BandPixelRows({5, 10, 0}, 144).bottom), std::pair(1, 1));
}

TEST(GleamGeometry, CursorInsideIsStrict) {
  const Rect r{10, 20, 110, 40};
  EXPECT_TRUE(CursorInside(r, 11, 21) && CursorInside(r, 109, 39));
  for (const auto& [x, y] : {std::pair{10, 30}, {110, 30}, {50, 20}, {50, 40}, {-5, -5}}) {
    EXPECT_FALSE(CursorInside(r, x, y)) << x << "," << y;
  }
}

}  // namespace
}  // namespace lantoc
