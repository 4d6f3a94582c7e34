// Little-endian encoding into a byte buffer. Numbers are little-endian two's
// complement (doubles IEEE 754); a text is a 16-bit length followed by its
// bytes. Built with shifts on unsigned values, so host order never leaks in.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "modello/modello.h"

namespace od {

// The way back: the `quanti` bytes at `p` as an unsigned value, least
// significant first. Spelt out byte by byte, which compilers turn into one
// load: a plan file has millions of fields. Every reader of the files
// decodes its numbers through this one function.
template <std::size_t quanti>
constexpr uint64_t decodifica_le(const char* p) {
  return [p]<std::size_t... n>(std::index_sequence<n...>) {
    return ((uint64_t{static_cast<unsigned char>(p[n])} << (8 * n)) | ...);
  }
  (std::make_index_sequence<quanti>{});
}

using buffer = std::string;

// Each number is written in place at `p`, which must have room for it, and
// the byte after it is returned: long runs of numbers go straight into a
// block this way. The put_ helpers below append the same bytes to a buffer.
inline char* codifica_u8(char* p, uint8_t v) {
  *p = static_cast<char>(v);
  return p + 1;
}

inline char* codifica_u16(char* p, uint16_t v) {
  p[0] = static_cast<char>(v);
  p[1] = static_cast<char>(v >> 8);
  return p + 2;
}

inline char* codifica_i16(char* p, int16_t v) { return codifica_u16(p, static_cast<uint16_t>(v)); }

inline char* codifica_u32(char* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<char>(v >> (8 * i));
  return p + 4;
}

inline char* codifica_f64(char* p, double v) {
  const uint64_t bits = std::bit_cast<uint64_t>(v);
  for (int i = 0; i < 8; ++i) p[i] = static_cast<char>(bits >> (8 * i));
  return p + 8;
}

inline void put_u8(buffer& b, uint8_t v) { b.push_back(static_cast<char>(v)); }

// Wider numbers are assembled byte by byte and appended at once.
inline void metti(buffer& b, const char* inizio, const char* fine) {
  b.append(inizio, static_cast<std::size_t>(fine - inizio));
}

inline void put_u16(buffer& b, uint16_t v) {
  char byte[2];
  metti(b, byte, codifica_u16(byte, v));
}

inline void put_i16(buffer& b, int16_t v) { put_u16(b, static_cast<uint16_t>(v)); }

inline void put_u32(buffer& b, uint32_t v) {
  char byte[4];
  metti(b, byte, codifica_u32(byte, v));
}

inline void put_i32(buffer& b, int32_t v) { put_u32(b, static_cast<uint32_t>(v)); }

inline void put_f64(buffer& b, double v) {
  char byte[8];
  metti(b, byte, codifica_f64(byte, v));
}

// Texts longer than lunghezza_massima_testo cannot be stored; the readers
// refuse one, naming its record, and the length is cut to the characters
// actually written so that the file stays whole whatever a caller hands.
inline void put_text(buffer& b, std::string_view testo) {
  const std::string_view parte = testo.substr(0, lunghezza_massima_testo);
  put_u16(b, static_cast<uint16_t>(parte.size()));
  b.append(parte);
}

// One record field by its width, for the writers that walk a record's fields
// (modello/campi.h): in place, for records of numbers only, or appended.
inline char* codifica_campo(char* p, uint8_t v) { return codifica_u8(p, v); }
inline char* codifica_campo(char* p, int16_t v) { return codifica_i16(p, v); }
inline char* codifica_campo(char* p, int32_t v) { return codifica_u32(p, static_cast<uint32_t>(v)); }

inline void put_campo(buffer& b, uint8_t v) { put_u8(b, v); }
inline void put_campo(buffer& b, int16_t v) { put_i16(b, v); }
inline void put_campo(buffer& b, int32_t v) { put_i32(b, v); }
inline void put_campo(buffer& b, std::string_view testo) { put_text(b, testo); }

}  // namespace od
