#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "base/colour.h"
#include "base/date_fields.h"
#include "base/date_time_text.h"
#include "base/gradient.h"
#include "base/grid_geometry.h"
#include "base/hot_key.h"
#include "base/numbers.h"
#include "base/placement.h"
#include "base/row_index.h"
#include "base/table_model.h"
#include "base/units.h"

namespace quillet {
namespace {

TEST(SerialDays, EveryDayFrom1600To2400RoundTripsAndIsoDatesAreStrict) {
  std::int64_t serial = -135140;  // days from 1600-01-01 to 1970-01-01
  for (int y = 1600; y < 2400; ++y) {
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    const int lengths[12] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m) {
      ASSERT_EQ(DaysInMonth(y, m), lengths[m - 1]) << y << "-" << m;
      for (int d = 1; d <= lengths[m - 1]; ++d, ++serial) {
        const CivilDate date{y, m, d};
        ASSERT_EQ(DayNumber(date), serial) << y << "-" << m << "-" << d;
        ASSERT_EQ(DateFromDayNumber(static_cast<int>(serial)), date);
      }
    }
  }
  EXPECT_EQ(DaysInMonth(2005, -1) + DaysInMonth(2005, 0) + DaysInMonth(2005, 13), 0);
  EXPECT_EQ(IsoDateText({2008, 2, 7}), "2008-02-07");
  EXPECT_EQ(ParseIsoDate("2000-02-29"), (CivilDate{2000, 2, 29}));
  for (const char* bad : {"1900-02-29", "2100-02-29", "2008-13-01", "2008-00-10", "2008-02-30", "2008-2-7",
                          "2008/02/07", "20080207", "", "2008-02-07 ", "+008-02-07", "2008-02-0x"}) {
    EXPECT_FALSE(ParseIsoDate(bad).has_value()) << bad;
  }
}

DateTime At(CivilDate date, int second) { return DateTime{DayNumber(date), second}; }

TEST(DateTimes, OverflowingPartsCarryAndTextsAreReadAndWrittenInTheProgramsForms) {
  for (const auto& [parts, moment] : {std::pair{std::array{2006, 2, 31, 0, 0, 0}, At({2006, 3, 3}, 0)},
                                     {{2006, 13, 1, 0, 0, 0}, At({2007, 1, 1}, 0)}, {{2006, 0, 15, 0, 0, 0}, At({2005, 12, 15}, 0)},
                                     {{2006, 3, 0, 0, 0, 0}, At({2006, 2, 28}, 0)}, {{2006, 12, 31, 23, 59, 60}, At({2007, 1, 1}, 0)},
                                     {{2006, 5, 1, 8, 65, 0}, At({2006, 5, 1}, 9 * 3600 + 5 * 60)}}) {
    EXPECT_EQ(BuildDateTime(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]), moment) << parts[1];
  }
  const std::pair<const char*, DateTime> cases[] = {
      {"2005-3-9 9:0", At({2005, 3, 9}, 9 * 3600)},        {"2005-03-09 09:00", At({2005, 3, 9}, 9 * 3600)},
      {"  2006/5/1  8:05 ", At({2006, 5, 1}, 8 * 3600 + 300)}, {"2199-1-1 23:59:59", At({2199, 1, 1}, 86399)},
      {"2000-2-29", At({2000, 2, 29}, 0)}};
  for (const auto& [text, moment] : cases) EXPECT_EQ(ParseDateTimeText(text), moment) << text;
  for (const char* text : {"", "2006-5", "2006-13-1", "2006-0-1", "2006-2-29", "2100-2-29", "2006-4-31",
                           "2006-5-0", "2006-5-1 24:00", "2006-5-1 8:60", "2006-5-1 8:05:60", "2006-5-1 8",
                           "2006-5-1 8:05 pm", "06-5-1", "2006-5/1", "8:05:00", "-2006-5-1",
                           "2006-5-1 8:05:00:00", "2006-5-1 1234567890:0"}) {
    EXPECT_FALSE(ParseDateTimeText(text).has_value()) << '"' << text << '"';
  }}

struct RecordingView : TableObserver {
  void OnCellChanged(int row, int col) override { log += "cell " + std::to_string(row * 10 + col) + " "; }
  void OnRowsChanged(int first, int last) override { log += "rows " + std::to_string(first * 10 + last) + " "; }
  void OnShapeChanged() override { log += "shape "; }
  void OnCurrentCellChanged() override { log += "cursor "; }
  std::string log;
};

TEST(TableModel, MovesRowBodiesKeepsTheCursorInsideAndTellsTheView) {
  TableModel grid;
  grid.SetCols(3);
  grid.SetRows(5);
  for (int r = 1; r < 4; ++r) grid.SetTextMatrix(r, 0, "n" + std::to_string(r)), grid.SetTextMatrix(r, 2, "a" + std::to_string(r));
  grid.SetRow(4);
  grid.SetRowSel(4);
  grid.SetRows(4);
  grid.SetRow(7);  // refused
  EXPECT_EQ(grid.Row() * 10 + grid.RowSel(), 33);  // pulled back inside
  grid.SetTextMatrix(0, 3, "x");  // outside: ignored
  grid.SetForeColorAt(5, 5, 0x123456);
  EXPECT_EQ(grid.ForeColorAt(5, 5) + grid.TextMatrix(0, 3).size(), 0u);

  RecordingView view;
  grid.SetObserver(&view);
  grid.SetTextMatrix(2, 1, "x");
  grid.SetRowHeight(3, 0);
  grid.SetRowHeight(3, 0);  // no change, no call
  grid.SetVisible(false);
  grid.SetRowHeight(1, 500);  // hidden: no call
  const int source[] = {2, 0, 1};  // row 1 gets old row 3, row 2 old 1, row 3 old 2
  grid.PermuteRows(1, source, 1);
  EXPECT_EQ(view.log, "cell 21 rows 33 ");
  grid.SetVisible(true);
  for (const std::vector<int>& refused : {std::vector{0, 0, 1}, {0, 1, 2, 3}}) grid.PermuteRows(1, refused, 1);
  grid.PermuteRows(1, source, 1);  // above: no permutation, and rows beyond the table
  EXPECT_EQ(view.log, "cell 21 rows 33 shape rows 13 ");
  std::string texts;  // the fixed column stays; a hidden row keeps its cells
  for (int r = 0; r < 4; ++r) texts += grid.TextMatrix(r, 0) + grid.TextMatrix(r, 2) + grid.TextMatrix(r, 1) + " ";
  EXPECT_EQ(texts + std::to_string(grid.RowHeight(2)), " n1a2x n2a3 n3a1 0");
  grid.SetRows(0);
  EXPECT_EQ(grid.Rows(), 1);  // the heading row stays
}

TEST(TableModel, ManyRowsKeepTheirCellsThroughColumnChangesAndPermutationsAndComeBackEmpty) {
  TableModel grid;  // rows on both sides of the storage blocks' edges (512 rows)
  grid.SetRows(1200);
  grid.SetCols(2);
  std::vector<int> reversed;
  for (int r = 1; r < 1200; ++r) {
    grid.SetTextMatrix(r, 0, std::to_string(r));
    grid.SetTextMatrix(r, 1, "not a short string " + std::to_string(r));
    grid.SetForeColorAt(r, 1, static_cast<Colour>(r));
    grid.SetRowHeight(r, r);
    reversed.push_back(1199 - r);
  }
  grid.SetCols(4);
  grid.PermuteRows(1, reversed, 1);
  grid.SetCols(3);
  for (int r : {1, 511, 512, 513, 1024, 1199}) {
    EXPECT_EQ(grid.TextMatrix(r, 0) + grid.TextMatrix(r, 1), std::to_string(r) + "not a short string " + std::to_string(1200 - r));
    EXPECT_EQ(grid.ForeColorAt(r, 1) * 10000 + static_cast<Colour>(grid.RowHeight(r)), (1200u - r) * 10001);
  }
  grid.SetRows(600);
  grid.SetRows(1100);
  for (int r : {600, 1023, 1024, 1099}) {
    EXPECT_EQ(grid.TextMatrix(r, 0) + grid.TextMatrix(r, 1) + std::to_string(grid.ForeColorAt(r, 1)) +
              std::to_string(grid.RowHeight(r)), "0" + std::to_string(kDefaultRowHeight)) << r;
  }
}

TEST(UnitsAndColours, PixelsPlacesGradientBandsAndDarkening) {  // the gradient button's own: gleam_logic_test
  EXPECT_DOUBLE_EQ(PixelsToTwips(113, 96) + PixelsToTwips(10, 144), 1795);
  EXPECT_EQ(KeepOnScreen({-10, -20, 100, 50}, 1000, 800), (TwipsRect{0, 0, 100, 50}));
  EXPECT_EQ(KeepOnScreen({0, 0, 1200, 900}, 1000, 800), (TwipsRect{-200, -100, 1200, 900}));
  EXPECT_EQ(CentreOnScreen({5, 5, 4935, 4425}, 19200, 14400), (TwipsRect{7132, 4988, 4935, 4425}));

  const auto bands = GradientBands(4260, 0x80FFFFFF, 2);
  ASSERT_EQ(bands.size(), 64u);
  EXPECT_EQ(bands[0].bottom * 10000 + bands[62].top, 684216);
  EXPECT_EQ(bands[0].colour, 0xFFFFFFu);  // highest byte cleared
  EXPECT_EQ(bands[63].colour, MakeColour(255 - 126, 255 - 126, 255 - 126));
  EXPECT_EQ(GradientBands(630, MakeColour(10, 60, 200), 2)[63].colour, MakeColour(0, 0, 74));
  EXPECT_EQ(DarkenColour(MakeColour(100, 100, 100), -200), 0xFFFFFFu);
  EXPECT_EQ(DarkenColour(MakeColour(100, 50, 200), 60), MakeColour(40, 0, 140));
}

TEST(LenientNumberAndDateFields, LongestLeadingNumberHalvesToEvenAndDayListsKeepTheDayThatFits) {
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
  EXPECT_EQ(std::to_string(LenientInt16("40000")) + std::to_string(LenientInt16("-40000")), "32767-32768");
  const DayList list = FillDayList("2005", "2", "31");
  ASSERT_EQ(list.items.size(), 28u);
  EXPECT_EQ(list.items.front() + list.items.back() + list.text, "12828");
  EXPECT_EQ(FillDayList("2005", "2", "15").text + "," + FillDayList("2005", "4", "").text, "15,");
  EXPECT_EQ(FillDayList(" 2005", "12 ", "31").items.size(), 31u);
  EXPECT_TRUE(FillDayList("2005", "", "").items.empty() && FillDayList("2005", "13", "1").items.empty());
}

TEST(RowIndex, AgreesWithAWalkOverTheRowsWhateverIsHidden) {
  std::mt19937 random(7);
  std::vector<int> heights(1000);
  for (int& h : heights) h = random() % 3 == 0 ? 0 : 250;
  RowIndex index;
  index.Rebuild(heights);
  for (int change = 0; change < 300; ++change) {
    const int row = static_cast<int>(random() % heights.size());
    heights[static_cast<std::size_t>(row)] = random() % 2 == 0 ? 0 : 240 + static_cast<int>(random() % 20);
    index.SetHeight(row, heights[static_cast<std::size_t>(row)]);
  }
  std::int64_t offset = 0;
  int shown = 0;
  for (int r = 0; r < 1000; offset += heights[static_cast<std::size_t>(r)], ++r) {
    ASSERT_EQ(index.Offset(r) * 10000 + index.ShownBefore(r), offset * 10000 + shown) << r;
    if (heights[static_cast<std::size_t>(r)] > 0) { ASSERT_EQ(index.NthShown(shown++), r); }
  }
  EXPECT_EQ(index.Offset(1000) * 10000 + index.ShownBefore(1000), offset * 10000 + shown);
  EXPECT_EQ(index.NthShown(shown), index.Size());
}

TEST(GridGeometry, PlacesAndHitsCellsPastHiddenOnesAndScrollsNoFurtherThanAFullView) {
  // 96 dpi, 15 twips a pixel. Heading 20 px, data rows 20, hidden, 20, 30, 20;
  // columns 30, 100, hidden, 50, 100. The view is 200 x 100 px.
  RowIndex rows;
  rows.Rebuild({300, 300, 0, 300, 450, 300});
  const std::vector<int> widths{450, 1500, 0, 750, 1500};
  const GridGeometry g(rows, widths, 1, 1, 96, 200, 100), exact(rows, widths, 1, 1, 96, 200, 90),
      tall(rows, widths, 1, 1, 96, 400, 500), scrolled(rows, widths, 2, 3, 96, 200, 100);
  const auto hits = [](const GridGeometry& on, std::vector<std::pair<int, int>> points) {
    std::vector<int> found;  // row and column of each point
    for (const auto& [x, y] : points) found.insert(found.end(), {on.HitTest(x, y).row, on.HitTest(x, y).col});
    return found;
  };
  // Borders; row 2 and column 2 span nothing; the partly shown last row; past the end.
  EXPECT_EQ(hits(g, {{29, 19}, {30, 20}, {129, 39}, {130, 40}, {279, 99}, {280, 110}}),
            std::vector<int>({0, 0, 1, 1, 1, 1, 3, 3, 5, 4, -1, -1}));
  EXPECT_EQ(hits(scrolled, {{30, 20}}), std::vector<int>({3, 3}));  // its top row is hidden
  // Row 5 is cut off; the rows from row 3 on (70 px) fit below the heading at
  // 80 px and, exactly, at 70 px.
  EXPECT_EQ(std::vector<int>({g.RowsInView(), g.MaxTopRank(), exact.RowsInView(), exact.MaxTopRank(),
                              tall.RowsInView(), tall.MaxTopRank(), tall.MaxLeftCol(), g.MaxLeftCol(),
                              g.NextCol(1, 1), g.NextCol(3, -1), g.NextCol(4, 1), g.LeftColShowing(4),
                              scrolled.TopRank(), scrolled.RowTop(4), scrolled.ColLeft(1)}),
            std::vector<int>({3, 1, 3, 1, 4, 0, 1, 2, 3, 1, 4, 2, 1, 40, -70}));
}

TEST(HotKeys, ModifiersThenOneKeyAsTheSystemCodesThem) {
  // RegisterHotKey's MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8; 'Q' 0x51, VK_F12 0x7B.
  EXPECT_EQ(ParseHotKey("Ctrl+Alt+Q"), (HotKey{3, 0x51}));
  EXPECT_EQ(ParseHotKey(" shift + WIN + f12 "), (HotKey{12, 0x7B}));
  EXPECT_EQ(ParseHotKey("Control+7"), (HotKey{2, 0x37}));
  for (const char* bad : {"Q", "Ctrl+Ctrl+Q", "Ctrl+F25", "Ctrl+F0", "Ctrl+Alt", "Ctrl+QQ", "Menu+Q", ""}) {
    EXPECT_FALSE(ParseHotKey(bad)) << bad;
  }
  EXPECT_TRUE(HotKeyTurnedOff("Off") && HotKeyTurnedOff("无") && !HotKeyTurnedOff(""));
}

}  // namespace
}  // namespace quillet
