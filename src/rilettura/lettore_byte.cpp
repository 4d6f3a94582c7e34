#include "rilettura/lettore_byte.h"

#include <fmt/format.h>

namespace od {

void lettore_byte::danneggiato(std::size_t byte, std::string motivo) const {
  throw file_danneggiato(danno{file_, byte, std::move(motivo)});
}

void lettore_byte::finisce_dentro(std::size_t quanti, std::string_view campo) const {
  danneggiato(pos_, fmt::format("il file finisce dentro il campo {}: servono {} byte, ne restano {}", campo, quanti,
                                restanti()));
}

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
