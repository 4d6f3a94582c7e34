// The line list from which every text file of the system is written: up to
// 1000 lines closed by the end sentinel, which is never written itself.
#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/file_atomico.h"

namespace od {

inline constexpr std::string_view fine_lista = "riferimento fine del file";
inline constexpr std::size_t capacita_lista = 1001;  // entries 0 .. 1000

class lista_righe {
 public:
  // An empty list, already closed.
  lista_righe() { chiudi(); }
  // The given lines, then the sentinel.
  lista_righe(std::initializer_list<std::string_view> righe);
  template <typename Contenitore>
  static lista_righe da(const Contenitore& righe) {
    lista_righe lista;
    for (std::string_view r : righe) lista.aggiungi(r);
    lista.chiudi();
    return lista;
  }

  // Fills the next entry. Throws std::length_error past entry 999, so that
  // the sentinel always has room.
  void aggiungi(std::string_view riga);
  // Puts the sentinel after the last line.
  void chiudi();

  const std::string& operator[](std::size_t i) const { return voci_[i]; }

 private:
  std::array<std::string, capacita_lista> voci_;
  std::size_t usate_ = 0;
};

// The bytes of the file: every entry before the sentinel followed by CR LF.
// A list without a sentinel stops at entry 1000, never past it.
std::string testo_righe(const lista_righe& lista);

// Replaces `cartella`/`nome` with the list's text, synced as `sincronia`
// says. Throws errore_file.
void scrivi_righe(const std::string& cartella, const std::string& nome, const lista_righe& lista,
                  chiamate_file& chiamate = chiamate_di_sistema(), sincronia sincronia = sincronia::completa);
// The same file prepared in `insieme`, replaced with the rest of the set.
void prepara_righe(sostituzione_insieme& insieme, const std::string& cartella, const std::string& nome,
                   const lista_righe& lista);

}  // namespace od
