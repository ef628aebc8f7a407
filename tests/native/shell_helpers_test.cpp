#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "base/colour.h"
#include "base/date_fields.h"
#include "base/gradient.h"
#include "base/numbers.h"
#include "base/placement.h"
#include "base/units.h"

namespace quillet {
namespace {

TEST(Units, TwipsBecomePixelsAtTheGivenDpiAndBack) {  // halves to even: gleam_logic_test
  EXPECT_EQ(TwipsToPixels(1700, 96), 113);  // 113.33
  EXPECT_DOUBLE_EQ(PixelsToTwips(113, 96), 1695);
  EXPECT_DOUBLE_EQ(PixelsToTwips(10, 144), 100);
}

TEST(Gradient, BandsOfThePanelHeight) {
  const auto bands = GradientBands(4260, 0x80FFFFFF, 2);
  ASSERT_EQ(bands.size(), 64u);
  EXPECT_EQ(bands[0].bottom, 68);
  EXPECT_EQ(bands[0].colour, 0xFFFFFFu);  // highest byte cleared
  EXPECT_EQ(bands[62].top, 4216);
  EXPECT_EQ(bands[63].colour, MakeColour(255 - 126, 255 - 126, 255 - 126));
  // Dark colours stop at black instead of wrapping.
  EXPECT_EQ(GradientBands(630, MakeColour(10, 60, 200), 2)[63].colour, MakeColour(0, 0, 74));
}

TEST(LenientNumber, TakesTheLongestLeadingDecimalNumberRoundingHalvesToEven) {
  constexpr double kMax = std::numeric_limits<double>::max();
  const std::pair<const char*, double> cases[] = {
      {"  12abc", 12}, {"\t-7.25 kg", -7.25}, {"+3", 3}, {".5", 0.5}, {"5.", 5}, {"1e3x", 1000},
      {"2.5E-1", 0.25}, {"1e", 1}, {"1e+", 1}, {"7-3", 7}, {"", 0}, {"   ", 0}, {"-", 0},
      {".", 0}, {"-.e5", 0}, {"--5", 0}, {"x12", 0}, {"\xE3\x80\x80" "5", 0},  // no ideographic space
      {"1e999", kMax}, {"-1e999", -kMax}, {"1e-999", 0}, {"123456789e99999999999999999999", kMax}};
  for (const auto& [text, value] : cases) EXPECT_EQ(LenientNumber(text), value) << text;
  for (const auto& [text, value] : {std::pair<const char*, std::int32_t>{"2.5", 2}, {"3.5", 4}, {"-2.5", -2},
                                    {"2.51", 3}, {"4294967295", INT32_MAX}, {"-1e999", INT32_MIN}}) {
    EXPECT_EQ(LenientInt32(text), value) << text;
  }
  EXPECT_EQ(LenientInt16("40000"), 32767);
  EXPECT_EQ(LenientInt16("-40000"), -32768);
}

TEST(Colours, DarkenAndTakeApart) {
  EXPECT_EQ(DarkenColour(0x80FFFFFF, 0), 0x00FFFFFFu);
  EXPECT_EQ(DarkenColour(MakeColour(100, 100, 100), -200), 0xFFFFFFu);
  EXPECT_EQ(DarkenColour(MakeColour(100, 50, 200), 60), MakeColour(40, 0, 140));
  const Colour c = MakeColour(0x11, 0x22, 0x33) | 0xAA000000u;
  // Red and green by one letter of either case; anything else is blue, even
  // "red": the whole text counts, not its first letter.
  for (const char* red : {"R", "r"}) EXPECT_EQ(ColourByte(c, red), 0x11) << red;
  for (const char* green : {"G", "g"}) EXPECT_EQ(ColourByte(c, green), 0x22) << green;
  for (const char* blue : {"b", "", "red"}) EXPECT_EQ(ColourByte(c, blue), 0x33) << blue;
}

TEST(DayList, RefillsToTheMonthLengthAndKeepsTheDay) {
  const DayList list = FillDayList("2005", "2", "31");
  ASSERT_EQ(list.items.size(), 28u);
  EXPECT_EQ(list.items.front() + list.items.back() + list.text, "12828");
  EXPECT_EQ(FillDayList("2005", "2", "15").text, "15");
  EXPECT_EQ(FillDayList("2004", "2", "30").text, "29");
  EXPECT_EQ(FillDayList("1900", "2", "29").text, "28");
  EXPECT_EQ(FillDayList(" 2005", "12 ", "31").items.size(), 31u);
  EXPECT_EQ(FillDayList("2005", "4", "").text, "");  // an empty day stays empty
  EXPECT_TRUE(FillDayList("2005", "", "").items.empty());
  EXPECT_TRUE(FillDayList("2005", "13", "1").items.empty());
}

TEST(DateTimeField, ReadsOneFieldOfTheRecordDate) {
  const std::tuple<const char*, const char*, int> cases[] = {
      {"2006-5-1 9:30", "Y", 2006}, {"2006-5-1 9:30", "Month", 5}, {"2006-12-31 23:59", "D", 31},
      {"2006-5-1 9:30", "h", 9},    {"2006-12-31 23:59", "m", 59}, {"2006-5-1 9:30", "y", 0},
      {"2006-5-1 9:30", "d", 0},    {"2006-5-1 9:30", "", 0},      {"2006-5-1", "Y", 0},  // no ":"
      {"9:30", "h", 0},  // no "-"
      // A missing separator on the way: the field runs to the end, later ones are empty.
      {"2006-5 9:30", "M", 5},      {"2006-5 9:30", "D", 0},       {"2006-5 9:30", "m", 0},
      {"99999-1-1 0:0", "Y", 32767}};
  for (const auto& [text, part, value] : cases) EXPECT_EQ(DateTimeField(text, part), value) << text << " " << part;
}

TEST(Placement, KeepOnScreenAndCentre) {
  EXPECT_EQ(KeepOnScreen({-10, -20, 100, 50}, 1000, 800), (TwipsRect{0, 0, 100, 50}));
  EXPECT_EQ(KeepOnScreen({0, 0, 1200, 900}, 1000, 800), (TwipsRect{-200, -100, 1200, 900}));
  EXPECT_EQ(CentreOnScreen({5, 5, 4935, 4425}, 19200, 14400), (TwipsRect{7132, 4988, 4935, 4425}));
}

}  // namespace
}  // namespace quillet
