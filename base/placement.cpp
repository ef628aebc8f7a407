#include "base/placement.h"

#include "base/numbers.h"

namespace quillet {

TwipsRect KeepOnScreen(TwipsRect window, int screenWidth, int screenHeight) {
  if (window.top < 0) window.top = 0;
  if (window.left < 0) window.left = 0;
  if (window.top + window.height > screenHeight) window.top = screenHeight - window.height;
  if (window.left + window.width > screenWidth) window.left = screenWidth - window.width;
  return window;
}

TwipsRect CentreOnScreen(TwipsRect window, int screenWidth, int screenHeight) {
  window.left = RoundToInt32((screenWidth - window.width) / 2.0);
  window.top = RoundToInt32((screenHeight - window.height) / 2.0);
  return window;
}

}  // namespace quillet
