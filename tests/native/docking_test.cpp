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

TEST_F(Docking, RightEdgeSnapsHidesAndShowsThroughTheUnsnappedPosition) {
  TwipsRect p = Tick(kD + 100, 2000);  // snap to d + 50, then hide, in one tick
  EXPECT_EQ(p.left, kD + kHiddenRightOffset);
  EXPECT_EQ(p.top, 2000);
  p = Tick(p.left, p.top);  // stays hidden: no re-snap of the hidden position
  EXPECT_EQ(p.left, kD + 1610);

  cursor_ = {kScreenWidth - 45, 3000};  // on the visible 90 twips
  p = Tick(p.left, p.top);
  EXPECT_EQ(p.left, kD);  // fully on screen for one tick
  p = Tick(p.left, p.top);
  EXPECT_EQ(p.left, kD + 50);
  p = Tick(p.left, p.top);
  EXPECT_EQ(p.left, kD + 50);  // docked while the cursor stays over it

  cursor_ = {};
  EXPECT_EQ(Tick(kD + 50, 2000).left, kD + 1610);
  EXPECT_EQ(Tick(kD, 2000).left, kD + 1610);  // at d: snaps to d + 50, then hides
}

TEST_F(Docking, TopEdgeSnapsStrictlyBelowTheDistance) {
  TwipsRect p = Tick(5000, 299);
  EXPECT_EQ(p.top, kHiddenTop);  // snapped to -50 and hidden with the cursor away
  EXPECT_EQ(p.left, 5000);

  cursor_ = {5500, 100};
  p = Tick(5000, 299);
  EXPECT_EQ(p.top, kDockedTop);  // snapped and kept shown under the cursor

  cursor_ = {};
  p = Tick(5000, 300);
  EXPECT_EQ(p.top, 300);  // no snap at exactly 300

  cursor_ = {5500, 50};  // touches the 110 twips left of a hidden panel
  p = Tick(5000, kHiddenTop);
  EXPECT_EQ(p.top, kDockedTop);
  cursor_ = {5500, 200};  // just below the hidden strip: stays hidden
  EXPECT_EQ(Tick(5000, kHiddenTop).top, kHiddenTop);
}

TEST_F(Docking, LeftEdgeAndTheCorner) {
  // A stored start position hidden at the left stays hidden from the first tick.
  TwipsRect p = Tick(kHiddenLeft, 800);
  EXPECT_EQ(p.left, kHiddenLeft);
  EXPECT_EQ(p.top, 800);

  // Near the top-left corner the panel obeys both edges.
  p = Tick(120, 150);
  EXPECT_EQ(p.left, kHiddenLeft);
  EXPECT_EQ(p.top, kHiddenTop);
  cursor_ = {50, 50};  // the 110 x 110 corner left visible
  p = Tick(p.left, p.top);
  EXPECT_EQ(p.left, kDockedLeft);
  EXPECT_EQ(p.top, kDockedTop);
  p = Tick(p.left, p.top);
  EXPECT_EQ(p.left, kDockedLeft);
  EXPECT_EQ(p.top, kDockedTop);
}

TEST_F(Docking, ShowAndHideNeverBothHappenForOneEdge) {
  // The hide test must see the position the show test set: a cursor over the
  // hidden strip and over the shown panel keeps it shown.
  cursor_ = {1000, 100};
  TwipsRect p = Tick(1000, kHiddenTop);
  EXPECT_EQ(p.top, kDockedTop);
  cursor_ = {50, 3000};
  p = Tick(kHiddenLeft, 2000);
  EXPECT_EQ(p.left, kDockedLeft);
}

TEST_F(Docking, SwitchedOffOnlyKeepsTopLeftAndRightOnScreen) {
  EXPECT_EQ(Tick(5000, kHiddenTop, false).top, 0);
  EXPECT_EQ(Tick(-200, 1000, false).left, 0);
  EXPECT_EQ(Tick(kD + 1610, 1000, false).left, kD);
  const TwipsRect below = Tick(5000, 50000, false);  // the bottom is not checked
  EXPECT_EQ(below.top, 50000);
  EXPECT_EQ(below.left, 5000);
  const TwipsRect nearEdge = Tick(100, 100, false);  // no snapping
  EXPECT_EQ(nearEdge.left, 100);
  EXPECT_EQ(nearEdge.top, 100);
}

}  // namespace
}  // namespace quillet
