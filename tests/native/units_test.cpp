#include <gtest/gtest.h>

#include "shell/gradient.h"
#include "shell/numbers.h"
#include "shell/units.h"

namespace quillet {
namespace {

TEST(Units, TwipsBecomePixelsAtTheGivenDpi) {
  EXPECT_EQ(TwipsToPixels(1700, 96), 113);  // 113.33
  EXPECT_EQ(TwipsToPixels(4260, 96), 284);
  EXPECT_EQ(TwipsToPixels(1700, 144), 170);
  EXPECT_EQ(TwipsToPixels(4260, 144), 426);
  EXPECT_EQ(TwipsToPixels(7.5, 96), 0);   // 0.5 -> 0 (even)
  EXPECT_EQ(TwipsToPixels(22.5, 96), 2);  // 1.5 -> 2
  EXPECT_DOUBLE_EQ(PixelsToTwips(113, 96), 1695);
  EXPECT_DOUBLE_EQ(PixelsToTwips(10, 144), 100);
}

TEST(Numbers, RoundHalfEven) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(67.6), 68);
  EXPECT_EQ(RoundHalfEven(-0.4), 0);
}

TEST(Gradient, BandsOfThePanelHeight) {
  const auto bands = GradientBands(4260, 0x80FFFFFF, 2);
  ASSERT_EQ(bands.size(), 64u);
  EXPECT_EQ(bands[0].top, 0);
  EXPECT_EQ(bands[0].bottom, 68);
  EXPECT_EQ(bands[0].colour, 0xFFFFFFu);  // highest byte cleared
  EXPECT_EQ(bands[62].top, 4216);
  EXPECT_EQ(bands[62].bottom, 4284);
  EXPECT_GE(bands[63].top, 4260);  // wholly below the edge
  EXPECT_EQ(bands[63].colour, MakeColour(255 - 126, 255 - 126, 255 - 126));
  // Dark colours stop at black instead of wrapping.
  EXPECT_EQ(GradientBands(630, MakeColour(10, 60, 200), 2)[63].colour, MakeColour(0, 0, 74));
}

}  // namespace
}  // namespace quillet
