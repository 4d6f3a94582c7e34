// Random scenarios within the format's limits, for the round-trip tests:
// from a seed, a line of the given length with every kind of record, and a
// train over it. Items are spaced so that they rarely meet; a caller keeps
// only the scenarios that build cleanly.
#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace od::test {

struct testi_scenario {
  std::string linea, treno;
};

class generatore_scenari {
 public:
  explicit generatore_scenari(uint32_t seme) : caso_(seme) {}
  testi_scenario genera(int32_t lunghezza);

 private:
  int32_t tra(int32_t da, int32_t a) { return std::uniform_int_distribution<int32_t>(da, a)(caso_); }
  std::string linea(int32_t lunghezza);
  std::string treno(int32_t lunghezza);
  std::mt19937 caso_;
};

}  // namespace od::test
