// SHA-256 of a byte string, as lower-case hex, so that a test can pin the
// exact bytes of a large output in one line. Straight from the standard's
// description (FIPS 180-4): no speed tricks, a test's files are small.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace od::test {

inline std::string sha256(std::string_view dati) {
  static constexpr std::array<uint32_t, 64> k = {
      0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
      0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
      0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
      0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
      0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
      0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
      0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
      0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};
  std::array<uint32_t, 8> h = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                               0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
  const auto ruota = [](uint32_t x, int n) { return (x >> n) | (x << (32 - n)); };

  // The message, a 1 bit, zeros, and its length in bits as 64-bit big-endian.
  std::string blocchi(dati);
  blocchi += static_cast<char>(0x80);
  while (blocchi.size() % 64 != 56) blocchi += '\0';
  const uint64_t bit = static_cast<uint64_t>(dati.size()) * 8;
  for (int i = 7; i >= 0; --i) blocchi += static_cast<char>((bit >> (8 * i)) & 0xff);

  for (std::size_t inizio = 0; inizio < blocchi.size(); inizio += 64) {
    std::array<uint32_t, 64> w{};
    for (std::size_t t = 0; t < 16; ++t) {
      for (std::size_t b = 0; b < 4; ++b) w[t] = (w[t] << 8) | static_cast<uint8_t>(blocchi[inizio + 4 * t + b]);
    }
    for (std::size_t t = 16; t < 64; ++t) {
      const uint32_t s0 = ruota(w[t - 15], 7) ^ ruota(w[t - 15], 18) ^ (w[t - 15] >> 3);
      const uint32_t s1 = ruota(w[t - 2], 17) ^ ruota(w[t - 2], 19) ^ (w[t - 2] >> 10);
      w[t] = w[t - 16] + s0 + w[t - 7] + s1;
    }
    std::array<uint32_t, 8> v = h;  // a b c d e f g h
    for (std::size_t t = 0; t < 64; ++t) {
      const uint32_t s1 = ruota(v[4], 6) ^ ruota(v[4], 11) ^ ruota(v[4], 25);
      const uint32_t scelta = (v[4] & v[5]) ^ (~v[4] & v[6]);
      const uint32_t t1 = v[7] + s1 + scelta + k[t] + w[t];
      const uint32_t s0 = ruota(v[0], 2) ^ ruota(v[0], 13) ^ ruota(v[0], 22);
      const uint32_t maggioranza = (v[0] & v[1]) ^ (v[0] & v[2]) ^ (v[1] & v[2]);
      v = {t1 + s0 + maggioranza, v[0], v[1], v[2], v[3] + t1, v[4], v[5], v[6]};
    }
    for (std::size_t i = 0; i < 8; ++i) h[i] += v[i];
  }

  static constexpr std::string_view cifre = "0123456789abcdef";
  std::string esadecimale;
  for (const uint32_t parola : h) {
    for (int i = 28; i >= 0; i -= 4) esadecimale += cifre[(parola >> i) & 0xf];
  }
  return esadecimale;
}

}  // namespace od::test
