#include <gtest/gtest.h>

#include <limits>

#include "base/colour.h"
#include "base/date_fields.h"
#include "base/gradient.h"
#include "base/numbers.h"
#include "base/placement.h"
#include "base/units.h"

namespace quillet {
namespace {

TEST(Units, TwipsBecomePixelsAtTheGivenDpiRoundingHalvesToEven) {
  EXPECT_EQ(TwipsToPixels(1700, 96), 113);  // 113.33
  EXPECT_EQ(TwipsToPixels(4260, 96), 284);
  EXPECT_EQ(TwipsToPixels(1700, 144), 170);
  EXPECT_EQ(TwipsToPixels(7.5, 96), 0);   // 0.5 -> 0 (even)
  EXPECT_EQ(TwipsToPixels(22.5, 96), 2);  // 1.5 -> 2
  EXPECT_DOUBLE_EQ(PixelsToTwips(113, 96), 1695);
  EXPECT_DOUBLE_EQ(PixelsToTwips(10, 144), 100);
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

TEST(LenientNumber, TakesTheLongestLeadingDecimalNumber) {
  EXPECT_EQ(LenientNumber("42"), 42);
  EXPECT_EQ(LenientNumber("  12abc"), 12);
  EXPECT_EQ(LenientNumber("\t-7.25 kg"), -7.25);
  EXPECT_EQ(LenientNumber("+3"), 3);
  EXPECT_EQ(LenientNumber(".5"), 0.5);
  EXPECT_EQ(LenientNumber("5."), 5);
  EXPECT_EQ(LenientNumber("1e3x"), 1000);
  EXPECT_EQ(LenientNumber("2.5E-1"), 0.25);
  EXPECT_EQ(LenientNumber("1e"), 1);    // an exponent without digits is not part of it
  EXPECT_EQ(LenientNumber("1e+"), 1);
  EXPECT_EQ(LenientNumber("7-3"), 7);
  EXPECT_EQ(LenientNumber("16777215"), 16777215);
  for (const char* zero : {"", "   ", "abc", "-", "+", ".", "-.e5", "--5", "x12", "\xE3\x80\x80" "5"}) {
    EXPECT_EQ(LenientNumber(zero), 0) << zero;
  }
  EXPECT_EQ(LenientNumber("1e999"), std::numeric_limits<double>::max());
  EXPECT_EQ(LenientNumber("-1e999"), -std::numeric_limits<double>::max());
  EXPECT_EQ(LenientNumber("1e-999"), 0);
  EXPECT_EQ(LenientNumber("0.000000001e-400"), 0);
  EXPECT_EQ(LenientNumber("123456789e99999999999999999999"), std::numeric_limits<double>::max());
}

TEST(LenientNumber, IntegersRoundHalfToEvenAndSaturate) {
  EXPECT_EQ(LenientInt32("2.5"), 2);
  EXPECT_EQ(LenientInt32("3.5"), 4);
  EXPECT_EQ(LenientInt32("-2.5"), -2);
  EXPECT_EQ(LenientInt32("2.51"), 3);
  EXPECT_EQ(LenientInt32(""), 0);
  EXPECT_EQ(LenientInt32("4294967295"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(LenientInt32("-1e999"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(LenientInt16("40000"), 32767);
  EXPECT_EQ(LenientInt16("-40000"), -32768);
  EXPECT_EQ(LenientInt16("2005"), 2005);
}

TEST(Colours, DarkenAndTakeApart) {
  EXPECT_EQ(DarkenColour(0x80FFFFFF, 0), 0x00FFFFFFu);
  EXPECT_EQ(DarkenColour(MakeColour(10, 10, 10), 20), 0u);
  EXPECT_EQ(DarkenColour(MakeColour(100, 100, 100), -200), 0xFFFFFFu);
  EXPECT_EQ(DarkenColour(MakeColour(100, 50, 200), 60), MakeColour(40, 0, 140));
  const Colour c = MakeColour(0x11, 0x22, 0x33) | 0xAA000000u;
  // Red and green by one letter of either case; anything else is blue, even
  // "red": the whole text counts, not its first letter.
  for (const char* red : {"R", "r"}) EXPECT_EQ(ColourByte(c, red), 0x11) << red;
  for (const char* green : {"G", "g"}) EXPECT_EQ(ColourByte(c, green), 0x22) << green;
  for (const char* blue : {"b", "B", "x", "", "red"}) EXPECT_EQ(ColourByte(c, blue), 0x33) << blue;
}

TEST(DayList, RefillsToTheMonthLengthAndKeepsTheDay) {
  DayList list = FillDayList("2005", "2", "31");
  ASSERT_EQ(list.items.size(), 28u);
  EXPECT_EQ(list.items.front(), "1");
  EXPECT_EQ(list.items.back(), "28");
  EXPECT_EQ(list.text, "28");

  list = FillDayList("2005", "2", "15");
  EXPECT_EQ(list.items.size(), 28u);
  EXPECT_EQ(list.text, "15");

  EXPECT_EQ(FillDayList("2004", "2", "30").text, "29");
  EXPECT_EQ(FillDayList("1900", "2", "29").text, "28");
  EXPECT_EQ(FillDayList(" 2005", "12 ", "31").items.size(), 31u);
  EXPECT_EQ(FillDayList("2005", "4", "").text, "");  // an empty day stays empty

  list = FillDayList("2005", "", "");
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ(list.text, "");
  EXPECT_TRUE(FillDayList("2005", "13", "1").items.empty());
}

TEST(DateTimeField, ReadsOneFieldOfTheRecordDate) {
  EXPECT_EQ(DateTimeField("2006-5-1 9:30", "Y"), 2006);
  EXPECT_EQ(DateTimeField("2006-5-1 9:30", "Month"), 5);
  EXPECT_EQ(DateTimeField("2006-5-1 9:30", "D"), 1);
  EXPECT_EQ(DateTimeField("2006-5-1 9:30", "h"), 9);
  EXPECT_EQ(DateTimeField("2006-5-1 9:30", "m"), 30);
  EXPECT_EQ(DateTimeField("2006-5-1 9:30", "y"), 0);
  EXPECT_EQ(DateTimeField("2006-5-1 9:30", "d"), 0);
  EXPECT_EQ(DateTimeField("2006-5-1 9:30", ""), 0);
  EXPECT_EQ(DateTimeField("2006-12-31 23:59", "D"), 31);
  EXPECT_EQ(DateTimeField("2006-12-31 23:59", "m"), 59);
  for (const char* part : {"Y", "M", "D", "h", "m"}) {
    EXPECT_EQ(DateTimeField("2006-5-1", part), 0) << part;  // no ":"
    EXPECT_EQ(DateTimeField("9:30", part), 0) << part;      // no "-"
  }
  // A missing separator on the way: the field runs to the end, later ones are empty.
  EXPECT_EQ(DateTimeField("2006-5 9:30", "M"), 5);
  EXPECT_EQ(DateTimeField("2006-5 9:30", "D"), 0);
  EXPECT_EQ(DateTimeField("2006-5 9:30", "m"), 0);
  EXPECT_EQ(DateTimeField("99999-1-1 0:0", "Y"), 32767);
}

TEST(Placement, KeepOnScreenAndCentre) {
  EXPECT_EQ(KeepOnScreen({-10, -20, 100, 50}, 1000, 800), (TwipsRect{0, 0, 100, 50}));
  EXPECT_EQ(KeepOnScreen({950, 780, 100, 50}, 1000, 800), (TwipsRect{900, 750, 100, 50}));
  EXPECT_EQ(KeepOnScreen({10, 10, 100, 50}, 1000, 800), (TwipsRect{10, 10, 100, 50}));
  EXPECT_EQ(KeepOnScreen({0, 0, 1200, 900}, 1000, 800), (TwipsRect{-200, -100, 1200, 900}));
  EXPECT_EQ(CentreOnScreen({5, 5, 4935, 4425}, 19200, 14400), (TwipsRect{7132, 4988, 4935, 4425}));
}

}  // namespace
}  // namespace quillet
