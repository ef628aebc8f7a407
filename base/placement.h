// Window placement on the screen, in twips, as pure arithmetic the window
// code applies: pulling a window back onto the screen, centring it.
#pragma once

namespace quillet {

struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// Top and left are raised to 0, then the bottom and right edges are pulled
// back inside the screen, in that order: a window larger than the screen
// ends with its bottom-right corner on the screen's and may start above or
// left of it.
TwipsRect KeepOnScreen(TwipsRect window, int screenWidth, int screenHeight);

// The window moved to the centre of the screen (halves of a twip rounded to
// even).
TwipsRect CentreOnScreen(TwipsRect window, int screenWidth, int screenHeight);

}  // namespace quillet
