// The smaller of two values: a copy of y when x is greater than y, else of x.
// Kept free of any dependency so the walk over the track can use it too.
#pragma once

namespace od {

template <typename T>
constexpr T minimo(const T& x, const T& y) {
  return x > y ? y : x;
}

}  // namespace od
