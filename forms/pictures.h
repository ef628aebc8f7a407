// The program's small pictures as pixel art: the corner pictures of the
// main panel and the help viewer (20 x 21 pixels, normal and highlighted
// looks) and the logo (20 x 20). Drawn combined with the back colour by AND,
// so '.' (white) lets the back colour through and every other mark darkens
// it. Platform-free: the window code turns the rows into bitmaps.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/colour.h"

namespace quillet {

enum class Artwork {
  CloseNormal,     // a thin square frame with a cross: "close"
  CloseHighlight,  // a solid dark red square, the cross in the back colour
  TrayNormal,      // a thin frame with a bar at the bottom: "to the tray"
  TrayHighlight,   // a solid dark blue square, the bar in the back colour
  Logo,            // a quill over a page
};

struct PixelArt {
  int width = 0;
  int height = 0;
  std::vector<Colour> pixels;  // row by row from the top, 0x00BBGGRR
};

// Every row of the artwork has the same width; unknown marks are white.
PixelArt RenderArtwork(Artwork art);

}  // namespace quillet
