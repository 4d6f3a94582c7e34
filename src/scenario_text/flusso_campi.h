// The field stream shared by both description files.
//
// A file is read as a row of fields that end at a comma or a line end (CR LF,
// LF or CR); a line end counts like a comma. Blanks (space, tab) before a
// field are skipped. A text field runs to the next comma or line end and
// loses its trailing blanks. A number field is a whole decimal number with an
// optional minus sign; blanks after it are skipped, and a comma or line end
// after them closes the field, while anything else starts the next field
// right there (so "10   2   30" is three numbers). A number field holding
// only blanks reads 0. A line holding only blanks yields no field.
//
// The end of the file is a state reached after the field just read: it holds
// once nothing but blanks and line ends remains, which is how the readers
// decide that a last lone field is never interpreted. Reading a field there,
// or a number field that holds other text or lies beyond 32 bits, throws
// errore_lettura, which the reader turns into its read-failure code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace od {

// The reason of the failure when a field is read past the end of the file.
inline constexpr std::string_view messaggio_fine_file = "il file finisce dentro un record";

class errore_lettura : public std::runtime_error {
 public:
  errore_lettura(const std::string& motivo, int32_t linea, int32_t colonna)
      : std::runtime_error(motivo), linea_(linea), colonna_(colonna) {}
  int32_t linea() const { return linea_; }
  int32_t colonna() const { return colonna_; }

 private:
  int32_t linea_;
  int32_t colonna_;
};

class flusso_campi {
 public:
  explicit flusso_campi(std::string testo);

  std::string leggi_testo();
  // The same into `campo`, whose room is kept: a reader takes every key
  // into one string this way, with no allocation per record.
  void leggi_testo(std::string& campo);
  int32_t leggi_numero();
  // A number that must also fit [minimo, massimo] (the field widths).
  int32_t leggi_numero(int32_t minimo, int32_t massimo);

  // Only blanks and line ends remain.
  bool fine() const { return pos_ >= fine_contenuto_; }

  // 1-based line and column where the field just read began.
  int32_t linea() const { return linea_campo_; }
  int32_t colonna() const { return colonna_campo_; }
  // The whole text of a 1-based line, without its line end.
  std::string_view testo_linea(int32_t linea) const;
  // The whole text of the line where the field just read began; unlike
  // testo_linea, it does not scan the file from its start, and each line is
  // scanned for its end once, however many fields it holds.
  std::string_view testo_linea_campo() const;
  // The file's text, shared, so that a warning can keep where its line is
  // (a view) instead of a copy of it.
  const std::shared_ptr<const std::string>& condiviso() const { return condiviso_; }

 private:
  bool blank(std::size_t i) const { return i < testo_.size() && (testo_[i] == ' ' || testo_[i] == '\t'); }
  bool fine_linea(std::size_t i) const { return i < testo_.size() && (testo_[i] == '\r' || testo_[i] == '\n'); }
  void salta_blank();
  void consuma_fine_linea();
  // Skips blanks, and whole blank lines when the field starts a line.
  void inizia_campo();
  // Consumes the comma or line end that closes a field, if one is there.
  void chiudi_campo();
  [[noreturn]] void fallisci(const std::string& motivo) const;

  std::shared_ptr<const std::string> condiviso_;
  std::string_view testo_;  // *condiviso_
  std::size_t fine_contenuto_ = 0;
  std::size_t pos_ = 0;
  std::size_t inizio_linea_ = 0;
  int32_t linea_ = 1;
  bool a_inizio_linea_ = true;
  int32_t linea_campo_ = 0;
  int32_t colonna_campo_ = 0;
  std::size_t inizio_linea_campo_ = 0;
  // The end of the last line asked for by testo_linea_campo, and its start.
  mutable std::size_t linea_nota_ = SIZE_MAX;
  mutable std::size_t fine_linea_nota_ = 0;
};

// Key matching by contained words.
bool contiene(std::string_view testo, std::string_view parola);
bool contiene_senza_maiuscole(std::string_view testo, std::string_view parola);

}  // namespace od
