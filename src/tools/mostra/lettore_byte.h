// Little-endian decoding from a byte image, the mirror of output/codifica.h:
// numbers are little-endian two's complement (doubles IEEE 754); a text is a
// 16-bit length followed by its bytes. A read past the end throws
// file_danneggiato naming the file and the offset where the field begins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tools/mostra/danni.h"

namespace od {

class lettore_byte {
 public:
  lettore_byte(std::string_view dati, std::string file) : dati_(dati), file_(std::move(file)) {}

  std::size_t posizione() const { return pos_; }
  std::size_t restanti() const { return dati_.size() - pos_; }
  bool finito() const { return pos_ == dati_.size(); }
  const std::string& file() const { return file_; }

  // `campo` names the field for the message when the file ends inside it.
  uint8_t u8(std::string_view campo);
  uint16_t u16(std::string_view campo);
  int16_t i16(std::string_view campo);
  int32_t i32(std::string_view campo);
  double f64(std::string_view campo);
  std::string testo(std::string_view campo);
  // One record field by its width, for the decoders that walk a record's
  // fields (builder/campi.h).
  void leggi(std::string_view campo, uint8_t& v) { v = u8(campo); }
  void leggi(std::string_view campo, int16_t& v) { v = i16(campo); }
  void leggi(std::string_view campo, int32_t& v) { v = i32(campo); }
  void leggi(std::string_view campo, std::string& v) { v = testo(campo); }

  [[noreturn]] void danneggiato(std::size_t byte, std::string motivo) const;

 private:
  // The next `quanti` bytes as unsigned values, least significant first.
  uint64_t prendi(std::size_t quanti, std::string_view campo);

  std::string_view dati_;
  std::string file_;
  std::size_t pos_ = 0;
};

}  // namespace od
