// Window geometry shared by every window, as pure arithmetic: the rounded
// region's rectangle and the strict "cursor inside" test. (Placement on the
// screen: placement.h.)
#pragma once

namespace quillet {

// The rectangle handed to the window manager as a rounded region, pixels
// relative to the window's outer top-left corner. Windows keep a few pixels
// of their edge outside the region: 2 for tight corners (radius < 16), 4
// otherwise.
struct RoundRegion {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int ellipse = 0;  // width and height of the corner ellipses
};
RoundRegion RoundCornersRegion(int widthPx, int heightPx, int radius);

// Strictly inside: a point on an edge pixel counts as outside.
struct ScreenBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};
bool StrictlyInside(const ScreenBox& box, int x, int y);

}  // namespace quillet
