// Little-endian decoding from a byte image, the mirror of output/codifica.h:
// numbers are little-endian two's complement (doubles IEEE 754); a text is a
// 16-bit length followed by its bytes. A read past the end throws
// file_danneggiato naming the file and the offset where the field begins.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "output/codifica.h"
#include "rilettura/danni.h"

namespace od {

class lettore_byte {
 public:
  // Reads from byte `inizio` on; offsets still count from the start of `dati`.
  lettore_byte(std::string_view dati, std::string file, std::size_t inizio = 0)
      : dati_(dati), file_(std::move(file)), pos_(std::min(inizio, dati.size())) {}

  std::size_t posizione() const { return pos_; }
  std::size_t restanti() const { return dati_.size() - pos_; }
  bool finito() const { return pos_ == dati_.size(); }
  const std::string& file() const { return file_; }

  // `campo` names the field for the message when the file ends inside it.
  uint8_t u8(std::string_view campo) { return static_cast<uint8_t>(prendi<1>(campo)); }
  uint16_t u16(std::string_view campo) { return static_cast<uint16_t>(prendi<2>(campo)); }
  int16_t i16(std::string_view campo) { return static_cast<int16_t>(u16(campo)); }
  int32_t i32(std::string_view campo) { return static_cast<int32_t>(static_cast<uint32_t>(prendi<4>(campo))); }
  double f64(std::string_view campo) { return std::bit_cast<double>(prendi<8>(campo)); }
  std::string testo(std::string_view campo);
  // One record field by its width, for the decoders that walk a record's
  // fields (modello/campi.h).
  void leggi(std::string_view campo, uint8_t& v) { v = u8(campo); }
  void leggi(std::string_view campo, int16_t& v) { v = i16(campo); }
  void leggi(std::string_view campo, int32_t& v) { v = i32(campo); }
  void leggi(std::string_view campo, std::string& v) { v = testo(campo); }

  [[noreturn]] void danneggiato(std::size_t byte, std::string motivo) const;

 private:
  // The next `quanti` bytes as an unsigned value, least significant first.
  template <std::size_t quanti>
  uint64_t prendi(std::string_view campo) {
    if (restanti() < quanti) finisce_dentro(quanti, campo);
    const char* p = dati_.data() + pos_;
    pos_ += quanti;
    return decodifica_le<quanti>(p);
  }
  [[noreturn]] void finisce_dentro(std::size_t quanti, std::string_view campo) const;

  std::string_view dati_;
  std::string file_;
  std::size_t pos_ = 0;
};

}  // namespace od
