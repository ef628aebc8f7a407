#include <gtest/gtest.h>

#include "shell/docking.h"

namespace quillet {
namespace {

constexpr int kScreenWidth = 19200;  // 1280 pixels at 96 dpi
constexpr int kD = kScreenWidth - 1700;  // 17500

struct Cursor {
  int x = -100000, y = -100000;  // far away unless placed
  bool Over(const TwipsRect& r) const {
    return x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height;
  }
};

// The main panel's tests move the real cursor through the common cases; these are the
// boundaries between ticks a cursor cannot time, and what the panel waits for around them.
TEST(Docking, OneStepAndWhatThePanelWaitsForAroundIt) {
  using enum DockingWait;
  const struct {
    int left, top; bool on; Cursor cursor; int nextLeft, nextTop; DockingWait before, after;
  } ticks[] = {
      {kD, 2000, true, {}, kD + 1610, 2000, Tick, CursorIn},  // snaps to d + 50, then hides
      {kD + 1610, 2000, true, {}, kD + 1610, 2000, CursorIn, CursorIn},  // no re-snap when hidden
      {kD + 1610, 2000, true, {kD + 1650, 2500}, kD, 2000, Tick, Tick},  // shown at d, snaps next
      {5000, 299, true, {5500, 100}, 5000, kDockedTop, Tick, CursorOut},  // snapped, kept shown
      {5000, 300, true, {}, 5000, 300, Move, Move},  // 300 is not closer than the snap distance
      {5000, kHiddenTop, true, {5500, 200}, 5000, kHiddenTop, CursorIn, CursorIn},  // below the strip
      {kDockedLeft, kDockedTop, true, {50, 50}, kDockedLeft, kDockedTop, CursorOut, CursorOut},
      // The hide test sees the position the show test set: shown, not hidden again.
      {1000, kHiddenTop, true, {1000, 100}, 1000, kDockedTop, Tick, CursorOut},
      {kHiddenLeft, 2000, true, {50, 3000}, kDockedLeft, 2000, Tick, CursorOut},
      {5000, kHiddenTop, false, {}, 5000, 0, Tick, Move},  // off: only kept on the screen
      {kD + 1610, 1000, false, {}, kD, 1000, Tick, Move},
      {100, 100, false, {50, 50}, 100, 100, Move, Move},
  };
  for (const auto& t : ticks) {
    const TwipsRect start{t.left, t.top, 1700, 4260};
    const TwipsRect next = DockingStep(start, kScreenWidth, t.on,
                                       [&t](const TwipsRect& r) { return t.cursor.Over(r); });
    EXPECT_EQ(next, (TwipsRect{t.nextLeft, t.nextTop, 1700, 4260})) << t.left << "," << t.top;
    EXPECT_EQ(NextDockingWait(start, kScreenWidth, t.on, t.cursor.Over(start)), t.before) << t.left;
    EXPECT_EQ(NextDockingWait(next, kScreenWidth, t.on, t.cursor.Over(next)), t.after) << t.left;
  }
}

}  // namespace
}  // namespace quillet
