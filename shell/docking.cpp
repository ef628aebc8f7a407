#include "shell/docking.h"

namespace quillet {

TwipsRect DockingStep(TwipsRect panel, int screenWidth, bool dockingOn, const CursorOverPanel& cursorOver) {
  const int d = screenWidth - panel.width;  // left at which the right edges meet
  if (!dockingOn) {
    // Keep the panel on the screen at the top, left and right; the bottom
    // edge is not checked.
    if (panel.left < 0) panel.left = 0;
    if (panel.top < 0) panel.top = 0;
    if (panel.left > d) panel.left = d;
    return panel;
  }

  const auto over = [&] { return cursorOver && cursorOver(panel); };

  // Snaps, applied on every tick wherever the panel is; a hidden position is
  // left alone.
  if (panel.top < kDockSnapDistance && panel.top != kHiddenTop) panel.top = kDockedTop;
  if (panel.left < kDockSnapDistance && panel.left != kHiddenLeft) panel.left = kDockedLeft;
  const int hiddenRight = d + kHiddenRightOffset;
  int dockedRight = d;  // a panel shown from the right this tick lands at d, snaps next tick
  if (panel.left > d - kDockSnapDistance && panel.left != hiddenRight) {
    panel.left = d + kDockedRightOffset;
    dockedRight = panel.left;
  }

  // Show and hide per edge. Each hide test sees the position its show test
  // has just set (with the cursor over it), so one edge never does both.
  if (panel.top == kHiddenTop && over()) panel.top = kDockedTop;
  if (panel.top == kDockedTop && !over()) panel.top = kHiddenTop;

  if (panel.left == kHiddenLeft && over()) panel.left = kDockedLeft;
  if (panel.left == kDockedLeft && !over()) panel.left = kHiddenLeft;

  if (panel.left == dockedRight && !over()) panel.left = hiddenRight;
  if (panel.left == hiddenRight && over()) panel.left = dockedRight;
  return panel;
}

DockingWait NextDockingWait(const TwipsRect& panel, int screenWidth, bool dockingOn, bool cursorOver) {
  // The step asks about the cursor only at positions it has reached; if it
  // ends where it started, every question was about this position, so the
  // cursor as it is now decides it.
  const TwipsRect next =
      DockingStep(panel, screenWidth, dockingOn, [cursorOver](const TwipsRect&) { return cursorOver; });
  if (!(next == panel)) return DockingWait::Tick;
  if (!dockingOn) return DockingWait::Move;
  const int d = screenWidth - panel.width;
  // A position that stays put is hidden only with the cursor away and
  // docked only with the cursor over it, never both at two edges.
  if (panel.top == kHiddenTop || panel.left == kHiddenLeft || panel.left == d + kHiddenRightOffset) {
    return DockingWait::CursorIn;
  }
  if (panel.top == kDockedTop || panel.left == kDockedLeft || panel.left == d + kDockedRightOffset) {
    return DockingWait::CursorOut;
  }
  return DockingWait::Move;
}

}  // namespace quillet
