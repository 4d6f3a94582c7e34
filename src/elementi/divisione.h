// Floor division and its remainder: packed values are taken apart with them,
// so that a negative value from a damaged file still splits into parts that
// pack back to it (10 * quoziente + resto == v for every v).
#pragma once

#include <cstdint>

namespace od {

constexpr int64_t quoziente_basso(int64_t v, int64_t d) { return v >= 0 ? v / d : -((d - 1 - v) / d); }
constexpr int64_t resto_basso(int64_t v, int64_t d) { return v - d * quoziente_basso(v, d); }

}  // namespace od
