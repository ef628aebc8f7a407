#include "worklog/work_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

#include "base/codepage.h"
#include "base/file_store.h"
#include "buttonctl/gleam_logic.h"
#include "forms/window_definition.h"
#include "settings/default_settings.h"
#include "tests/support/scratch_folder.h"
#include "worklog/record_edit.h"

namespace quillet {
namespace {

using testing_support::ScratchFolder;

constexpr StatePalette kPalette = {0x0000FF, 0x00FF00, 0xFF0000, 0x808080, 0x123456};
constexpr CivilDate kToday{2005, 3, 9};

TEST(WorkTable, OperationsMoveWholeRowsAndNumberTheShownOnesWhileHiddenOnesKeepTheirNumber) {
  ScratchFolder folder("work-operations");
  WorkTableContext context{WorkRecordPath(folder.Folder()), true, kToday, kDefaultStateFilters, kPalette};
  std::string file;  // all due today; started today, before, after or never
  for (const auto& [start, content, state] :
       {std::tuple{"2005-3-9 9:0", "a", "尚未完成"}, {"2005-3-8 9:0", "b", "已经完成"}, {"garbage", "c", "因故延期"},
        {"2005-3-10 8:0", "d", "完成部分"}, {"2005-3-9 9:0", "e", "其他"}, {"2004-12-31 23:59", "f", "因故取消"}}) {
    file += std::string(start) + ",2005-3-9 18:0," + content + "," + state + ",r\r\n";
  }
  ScratchFolder::Put(context.filePath, EncodeCp936(file).bytes);
  TableModel grid;
  const auto rows = [&grid] {
    std::string out;
    for (int r = 1; r < grid.Rows(); ++r) out += grid.TextMatrix(r, 0) + grid.TextMatrix(r, 3) + (grid.RowHeight(r) ? " " : "- ");
    return out;
  };
  SetUpWorkTable(grid, context);  // today's work: started today, in a ticked state
  EXPECT_EQ(rows(), "1a 2b- 3c- 4d- 5e- 6f- ");
  context.todayOnly = false;
  SetUpWorkTable(grid, context);
  EXPECT_EQ(rows(), "1a 2b- 2c 3d 5e- 6f- ");
  SortTableByDate(grid, 1, false);
  EXPECT_EQ(rows(), "1f- 2b- 1a 3e- 2d 3c ");
  SortTableByDate(grid, 1, true);
  EXPECT_EQ(rows(), "1d 2a 1e- 3b- 2f- 3c ");
  EXPECT_TRUE(grid.Visible()) << "the view is told again";
  EXPECT_EQ(grid.ForeColorAt(2, 5) + grid.ForeColorAt(3, 1), 0x0000FFu);  // a's colour, e's black
  context.filters[1] = true;
  FilterRowsByState(grid, "已经完成", true, context);
  EXPECT_EQ(rows(), "1d 2a 1e- 3b 2f- 4c ");
  std::int32_t from = 4, to = 2;
  grid.SetRow(4), grid.SetRowSel(4);
  DeleteTableRows(grid, from, to, kPalette);
  EXPECT_EQ(rows() + std::to_string(from * 10 + to + grid.Row() + grid.RowSel()), "1d 2e- 1f- 2c 24");
  EXPECT_EQ(grid.ForeColorAt(4, 1), 0x808080u);
  context.todayOnly = true;
  FilterRowsByState(grid, "因故取消", true, context);
  EXPECT_EQ(rows(), "1d- 2e- 1f- 2c- ");
  grid.SetRows(1);
  AddTableRows(grid, 40);  // stable with many rows too
  std::string dated, undated;
  for (int r = 1; r <= 40; ++r) {
    grid.SetTextMatrix(r, 1, r % 2 ? "2005-3-9 9:0" : "");
    grid.SetTextMatrix(r, 3, std::to_string(r) + ",");
    (r % 2 ? dated : undated) += std::to_string(r) + ",";
  }
  SortTableByDate(grid, 1, true);
  std::string order;
  for (int r = 1; r <= 40; ++r) order += grid.TextMatrix(r, 3);
  EXPECT_EQ(order, dated + undated);
}

TEST(WorkTable, HandWrittenFileSavedBackWholeAndTodaysWorkNeedsAStartOfTodayWithATime) {
  ScratchFolder folder("work");
  const WorkTableContext context{WorkRecordPath(folder.Folder()), false, kToday, kDefaultStateFilters, kPalette};
  TableModel grid;
  EXPECT_TRUE(SetUpWorkTable(grid, context).status == FileStatus::NotFound && grid.Rows() == 1);
  // The second record has only start and deadline; a record without state is hidden.
  ScratchFolder::Put(context.filePath,
                     EncodeCp936("\"2005-3-9 9:0\",\"2005-3-9 17:0\"\r\n  写报告  \r\n\"尚未完成\"\r\n\"\"\r\n"
                                 "\"2005-3-1 9:0\"\r\n\"2005-3-2 9:0\"\r\n").bytes);
  const WorkLoadOutcome loaded = SetUpWorkTable(grid, context);
  EXPECT_TRUE(loaded.status == FileStatus::Ok && loaded.records == 2u);
  ASSERT_EQ(grid.Rows(), 3);
  EXPECT_EQ(grid.TextMatrix(1, 3), "写报告");
  EXPECT_EQ(grid.ForeColorAt(1, 0) + grid.RowHeight(2), 0u);  // numbers uncoloured, the second hidden

  ASSERT_TRUE(SaveWorkRecords(grid, context).ok);
  EXPECT_EQ(ScratchFolder::Get(context.filePath), EncodeCp936("\"2005-3-9 9:0\"\r\n\"2005-3-9 17:0\"\r\n\"写报告\"\r\n\"尚未完成\"\r\n"
                                     "\"\"\r\n\"2005-3-1 9:0\"\r\n\"2005-3-2 9:0\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n")
                             .bytes);
  grid.SetTextMatrix(1, 3, "emoji 😀 and ĳ");
  EXPECT_EQ(SaveWorkRecords(grid, context).unmappable, 2u);
  const std::pair<const char*, bool> starts[] = {
      {"2005-3-9 9:0", true},  {"2005-03-09 00:00", true}, {" 2005/3/9 23:59 ", true},
      {"2005-3-8 9:0", false}, {"2005-3-10 0:0", false},   {"2006-3-9 9:0", false},
      {"2005-3-9", false},     {"today 9:0", false},       {"2005-3-9 24:0", false}};
  for (const auto& [start, today] : starts) EXPECT_EQ(IsTodaysWork(start, kToday), today) << start;
}

TEST(FirstRunSettings, StateColoursAreDistinctAndReadableOnWhite) {
  const auto linear = [](int byte) { return byte <= 10 ? byte / 255.0 / 12.92 : std::pow((byte / 255.0 + 0.055) / 1.055, 2.4); };
  const auto luminance = [&](Colour c) { return 0.2126 * linear(RedOf(c)) + 0.7152 * linear(GreenOf(c)) + 0.0722 * linear(BlueOf(c)); };
  const ParameterItems items = DefaultSettings("");
  std::set<Colour> seen;
  for (int i = 0; i < kCompletionStateCount; ++i) {
    const auto param = static_cast<std::size_t>(kStateColourParameter[static_cast<std::size_t>(i)]);
    const Colour c = ColourFromText(items[param]);
    EXPECT_GE(1.05 / (luminance(c) + 0.05), 4.5) << StateName(static_cast<std::int16_t>(i));
    seen.insert(c);
  }
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kCompletionStateCount));

  // Every gradient button's caption (13 px: 195 twips high), at rest and pressed, stands out
  // at 4.5 : 1 from each band behind it; the heights are those of the program's buttons.
  const Colour face = ColourFromText(items[kParamButtonColour]);
  const Colour text = ColourFromText(items[kParamButtonTextColour]);
  double worst = 21;
  for (const int height : {300, 375, 405, 407, 450, 465, 495}) {
    const CaptionOffset at = CentredCaption("添加工作记录", 1300, height);
    for (int state = 0; state < 3; state += 2) {
      lantoc::GleamStates states;
      if (state == 1) states.OnMouseMove();
      if (state == 2) states.OnButtonDown();
      const lantoc::FacePlan plan = lantoc::PlanFace(states, face, at.x, at.y);
      for (const lantoc::GradientBand& band : lantoc::GleamBands(height, plan.gradientBase, plan.topToBottom, 3)) {
        if (band.bottom <= plan.captionY || band.top >= plan.captionY + 195) continue;
        const double a = luminance(text);
        const double b = luminance(band.colour);
        const double dark = std::min(a, b);
        const double light = std::max(a, b);
        worst = std::min(worst, (light + 0.05) / (dark + 0.05));
      }
    }
  }
  EXPECT_GE(worst, 4.5);
}

TEST(RecordEdit, ListsAndChecks) {
  EXPECT_EQ(DateListItems(0).front() + ".." + DateListItems(0).back() + DateListItems(4).back(), "2000..205059");
  DateListGroup group;
  group.ShowNew(kToday, 9);
  EXPECT_EQ(group.Text(), "2005-3-9 9:0");
  group.Choose(2, "30", kToday, 9);
  group.Choose(1, "2", kToday, 9);
  EXPECT_EQ(group.Text() + " of " + std::to_string(group.DayItems().size()), "2005-2-28 9:0 of 28");

  const struct { const char* text; DateListTexts lists; bool composed; } shown[] = {
      {"2010-12-31 23:59", {"2010", "12", "31", "23", "59"}, true},
      {"2005-03-09 09:00", {"2005", "3", "9", "9", "0"}, false},
      {"1999-3-9 9:0", {"", "3", "9", "9", "0"}, false},
      {"2005-3-9", {"2005", "3", "9", "0", "0"}, false},
      {"garbage", {"", "", "", "", ""}, false},
  };
  for (const auto& s : shown) {  // choosing what a list already shows is no change
    group.Show(s.text);
    EXPECT_TRUE(group.Lists() == s.lists && group.Composed() == s.composed) << s.text;
    group.Choose(3, s.lists[3], kToday, 17);
    EXPECT_EQ(group.Text(), s.text);
  }
  group.Choose(1, "4", kToday, 17);
  EXPECT_EQ(group.Text(), "2005-4-9 17:0");
  group.Show("1999-2-28 8:5");
  group.Choose(2, "29", kToday, 17);
  EXPECT_EQ(group.Text(), "2005-2-28 8:5") << "the day drops to the month's end in 2005";
  using enum RecordProblem;
  for (const auto& [start, content, remarks, problem] :
       {std::tuple{"2005-5-10 17:0", "x", "", None}, {"2005-5-11 9:0", "x", "", StartAfterDeadline},
        {"garbage", "x", "", None}, {"2005-5-10 9:0", "", "x", None}, {"2005-5-10 9:0", "  ", " ", NoContent}}) {
    EXPECT_EQ(CheckRecord(WorkRecord{start, "2005-5-10 9:0", content, "尚未完成", remarks}), problem) << start;
  }
}

TEST(RecordEdit, RecordGoesIntoTheTableColouredHiddenByTheRulesAndNumbered) {
  WorkTableContext context{"", true, kToday, kDefaultStateFilters, kPalette};
  TableModel grid;
  grid.SetCols(6);
  AddTableRows(grid, 2);
  grid.SetRowHeight(1, 0);
  RenumberTableRows(grid);
  const WorkRecord today{"2005-3-9 9:0", "2005-3-9 17:0", "a", "因故延期", "r"};
  RecordPlacement p = PutRecordInTable(grid, 0, today, context);
  EXPECT_TRUE(p.row == 3 && p.shown);
  EXPECT_EQ(grid.TextMatrix(3, 0) + grid.TextMatrix(3, 3), "2a");
  EXPECT_EQ(grid.ForeColorAt(3, 5), 0x808080u);
  WorkRecord other = today;
  other.start = "2005-3-8 9:0";
  p = PutRecordInTable(grid, 2, other, context);
  EXPECT_TRUE(p.notToday && grid.RowHeight(2) == 0);
  EXPECT_EQ(grid.TextMatrix(3, 0), "1");
  context.todayOnly = false;
  other.state = "已经完成";
  p = PutRecordInTable(grid, 3, other, context);
  EXPECT_FALSE(p.shown || p.notToday);
  EXPECT_EQ(grid.ForeColorAt(3, 1), 0x00FF00u);

  EXPECT_EQ(PutRecordInTable(grid, 9, other, context).row + grid.Rows(), 4) << "no such row";
}

}  // namespace
}  // namespace quillet
