// The main panel's docking step, run every 50 ms while it can change
// something (NextDockingWait tells when it can): with docking on, a
// panel near the top, left or right screen edge snaps against it, hides when
// the cursor leaves it (a strip of 110 twips stays visible, 90 at the right)
// and shows again when the cursor touches that strip; with docking off it is
// only kept from leaving the screen at the top, left and right.
//
// All values are whole twips on the panel's outer rectangle, screen origin at
// the top-left. Docked and hidden states are recognised by exact equality
// with the positions below, so the caller must keep the panel's position in
// twips as this step returned it, not re-derive it from pixels: at 96 dpi
// -4150 twips is not a whole number of pixels and would read back as -4155.
#pragma once

#include <functional>

#include "base/placement.h"

namespace quillet {

inline constexpr int kDockSnapDistance = 300;
inline constexpr int kDockedTop = -50;
inline constexpr int kHiddenTop = -4150;
inline constexpr int kDockedLeft = -50;
inline constexpr int kHiddenLeft = -1590;
inline constexpr int kDockedRightOffset = 50;    // beyond d = screen width - panel width
inline constexpr int kHiddenRightOffset = 1610;

// Whether the mouse cursor is over the panel placed at the given rectangle;
// asked at each show/hide test with the position as changed so far.
using CursorOverPanel = std::function<bool(const TwipsRect& panel)>;

// One tick: the panel's new rectangle (only left and top change). The order
// of the tests matters and is that of the comments in docking.cpp. Resetting
// the corner pictures' highlight is left to the window, on every tick.
TwipsRect DockingStep(TwipsRect panel, int screenWidth, bool dockingOn, const CursorOverPanel& cursorOver);

// What the panel waits for before a docking step can move it, given whether
// the cursor is over it now. Only Tick needs the 50 ms timer; the other
// states last until the event named, so an idle panel needs no timer.
enum class DockingWait {
  Tick,       // the next step moves the panel (a snap, a show or a hide)
  CursorIn,   // hidden at an edge: until the cursor touches the visible strip
  CursorOut,  // docked and shown under the cursor: until the cursor leaves it
  Move,       // free, or docking off: until the panel is moved
};
DockingWait NextDockingWait(const TwipsRect& panel, int screenWidth, bool dockingOn, bool cursorOver);

}  // namespace quillet
