#include "shell/numbers.h"

#include <cmath>

namespace quillet {

std::int64_t RoundHalfEven(double value) {
  if (!std::isfinite(value)) return 0;
  // std::nearbyint rounds half to even under the default rounding mode,
  // which this program never changes.
  return static_cast<std::int64_t>(std::nearbyint(value));
}

}  // namespace quillet
