// Window geometry shared by every window, as pure arithmetic: the rounded
// region's rectangle, the strict "cursor inside" test, the main panel's
// button column and date text. (Placement on the screen: placement.h.)
#pragma once

#include <string>
#include <string_view>

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

// Box of the main panel's button i (0..7) on a panel width x height twips.
struct TwipBox {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};
TwipBox PanelButtonBox(int index, double panelWidth, double panelHeight);

// The text that runs down the main panel's side: "今天: " + short date +
// "(" + lunar text without its "农历" prefix + ")", then every "(" padded to
// "  ( " and every ")" to " )  " (the lunar text's own parentheses too).
std::string PanelDateText(std::string_view shortDate, std::string_view lunarText);

}  // namespace quillet
