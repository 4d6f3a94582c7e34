#include "tools/mostra/lettore_byte.h"

#include <fmt/format.h>

#include <bit>

namespace od {

void lettore_byte::danneggiato(std::size_t byte, std::string motivo) const {
  throw file_danneggiato(danno{file_, byte, std::move(motivo)});
}

uint64_t lettore_byte::prendi(std::size_t quanti, std::string_view campo) {
  if (restanti() < quanti) {
    danneggiato(pos_, fmt::format("il file finisce dentro il campo {}: servono {} byte, ne restano {}", campo, quanti,
                                  restanti()));
  }
  uint64_t valore = 0;
  for (std::size_t n = 0; n < quanti; ++n) {
    valore |= uint64_t{static_cast<unsigned char>(dati_[pos_ + n])} << (8 * n);
  }
  pos_ += quanti;
  return valore;
}

uint8_t lettore_byte::u8(std::string_view campo) { return static_cast<uint8_t>(prendi(1, campo)); }
uint16_t lettore_byte::u16(std::string_view campo) { return static_cast<uint16_t>(prendi(2, campo)); }
int16_t lettore_byte::i16(std::string_view campo) { return static_cast<int16_t>(u16(campo)); }
int32_t lettore_byte::i32(std::string_view campo) {
  return static_cast<int32_t>(static_cast<uint32_t>(prendi(4, campo)));
}
double lettore_byte::f64(std::string_view campo) { return std::bit_cast<double>(prendi(8, campo)); }

std::string lettore_byte::testo(std::string_view campo) {
  const std::size_t inizio = pos_;
  const uint16_t lunghezza = u16(campo);
  if (restanti() < lunghezza) {
    danneggiato(inizio, fmt::format("il testo del campo {} e' lungo {} byte, ma il file ne ha ancora {}", campo,
                                    lunghezza, restanti()));
  }
  std::string t(dati_.substr(pos_, lunghezza));
  pos_ += lunghezza;
  return t;
}

}  // namespace od
