#include "base/units.h"

#include "base/numbers.h"

namespace quillet {

int TwipsToPixels(double twips, int dpi) {
  if (dpi <= 0) dpi = kDefaultDpi;
  return static_cast<int>(RoundHalfEven(twips * dpi / kTwipsPerInch));
}

double PixelsToTwips(int pixels, int dpi) {
  if (dpi <= 0) dpi = kDefaultDpi;
  return static_cast<double>(pixels) * kTwipsPerInch / dpi;
}

}  // namespace quillet
