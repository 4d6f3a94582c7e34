// Conversions of fractions to whole numbers: to the nearest, ties to the even
// neighbour. Every fraction in the model is a whole number over a small whole
// divisor, so the rounding is done exactly in integers.
#pragma once

#include <cstdint>

namespace od {

// round(num / den) with ties to even; den > 0.
constexpr int64_t arrotonda_div(int64_t num, int64_t den) {
  int64_t q = num / den;
  int64_t r = num % den;
  if (r < 0) {  // floor division
    r += den;
    --q;
  }
  if (2 * r > den || (2 * r == den && (q % 2 != 0))) ++q;
  return q;
}

}  // namespace od
