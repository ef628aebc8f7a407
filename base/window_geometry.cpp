#include "base/window_geometry.h"

namespace quillet {

RoundRegion RoundCornersRegion(int widthPx, int heightPx, int radius) {
  const int inset = radius < 16 ? 2 : 4;
  return {inset, inset, widthPx - inset, heightPx - inset, radius};
}

bool StrictlyInside(const ScreenBox& box, int x, int y) {
  return box.left < x && x < box.right && box.top < y && y < box.bottom;
}

}  // namespace quillet
