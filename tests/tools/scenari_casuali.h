// Random scenarios within the format's limits, for the round-trip tests:
// from a seed, a line of the given length with every kind of record, and a
// train over it. Items are spaced so that they rarely meet; a caller keeps
// only the scenarios that build cleanly. As authors write them, positions
// are not always multiples of 50, keys come in any letter case, records in
// any order the reader allows, and some signals put their approach marks
// over a station's.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <vector>

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
  // The key with each letter in a random case.
  std::string a_caso(std::string_view chiave);
  // A record: the key in a random case, then the values, drawn in order.
  std::string riga_di(std::string_view chiave, std::initializer_list<int64_t> valori);
  // The rows of several lists in one, each list keeping its own order.
  std::string mescola(std::vector<std::vector<std::string>> liste);
  std::string linea(int32_t lunghezza);
  std::string treno(int32_t lunghezza);
  std::mt19937 caso_;
};

}  // namespace od::test
