// The smaller of two values: a copy of y when x is greater than y, else of x.
// The walk over the track takes its reduction values with it.
#pragma once

namespace od {

template <typename T>
constexpr T minimo(const T& x, const T& y) {
  return x > y ? y : x;
}

}  // namespace od
