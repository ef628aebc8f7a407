#include <gtest/gtest.h>

#include "shell/docking.h"

namespace quillet {
namespace {

constexpr int kScreenWidth = 19200;  // 1280 pixels at 96 dpi
constexpr int kWidth = 1700;
constexpr int kHeight = 4260;
constexpr int kD = kScreenWidth - kWidth;  // 17500

struct Cursor {
  int x = -100000;  // far away unless placed
  int y = -100000;
  bool Over(const TwipsRect& r) const {
    return x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height;
  }
};

class Docking : public ::testing::Test {
 protected:
  TwipsRect Tick(int left, int top, bool on = true) {
    return DockingStep({left, top, kWidth, kHeight}, kScreenWidth, on,
                       [this](const TwipsRect& r) { return cursor_.Over(r); });
  }
  Cursor cursor_;
};

// The main panel's tests move the real cursor through the common cases;
// these are the boundaries between ticks that a cursor cannot time.
TEST_F(Docking, HiddenPanelsStayHiddenAndTheHiddenStripIsTheOnlyWayBack) {
  EXPECT_EQ(Tick(kD, 2000).left, kD + kHiddenRightOffset);  // at d: snaps to d + 50, then hides
  EXPECT_EQ(Tick(kD + kHiddenRightOffset, 2000).left, kD + 1610);  // no re-snap when hidden
  cursor_ = {5500, 100};
  EXPECT_EQ(Tick(5000, 299).top, kDockedTop);  // snapped and kept shown under the cursor
  cursor_ = {5500, 200};  // just below the 110 twips left of a hidden top panel
  EXPECT_EQ(Tick(5000, kHiddenTop).top, kHiddenTop);
  cursor_ = {50, 50};  // docked in the corner: both edges keep it while the cursor stays
  EXPECT_EQ(Tick(kDockedLeft, kDockedTop), (TwipsRect{kDockedLeft, kDockedTop, kWidth, kHeight}));
}

TEST_F(Docking, ShowAndHideNeverBothHappenForOneEdge) {
  // The hide test must see the position the show test set: a cursor over the
  // hidden strip and over the shown panel keeps it shown.
  cursor_ = {1000, 100};
  EXPECT_EQ(Tick(1000, kHiddenTop).top, kDockedTop);
  cursor_ = {50, 3000};
  EXPECT_EQ(Tick(kHiddenLeft, 2000).left, kDockedLeft);
}

TEST_F(Docking, SwitchedOffNeverSnaps) {
  EXPECT_EQ(Tick(5000, kHiddenTop, false).top, 0);
  EXPECT_EQ(Tick(kD + 1610, 1000, false).left, kD);
  EXPECT_EQ(Tick(100, 100, false), (TwipsRect{100, 100, kWidth, kHeight}));
}

}  // namespace
}  // namespace quillet
