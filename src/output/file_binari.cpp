#include "output/file_binari.h"

#include <memory>

#include "modello/campi.h"
#include "output/disposizione.h"
#include "output/elemento_planimetria.h"
#include "platform/cartella.h"
#include "platform/file_atomico.h"

namespace od {

namespace {

// A cell holds numbers only: its bytes, a constant count, go in place.
char* codifica_cella(char* p, const cella& c) {
  per_ogni_campo(c, [&p](std::string_view, const auto& campo) { p = codifica_campo(p, campo); });
  return p;
}

}  // namespace

void scrivi(const cella& c, buffer& b) {
  char byte[byte_cella];
  metti(b, byte, codifica_cella(byte, c));
}

void scrivi(const voce& v, buffer& b) {
  per_ogni_campo(v, [&b](std::string_view, const auto& campo) { put_campo(b, campo); });
}

namespace {

// The plan of a long line is tens of megabytes, produced row by row: it is
// encoded straight into a block of fixed size that goes out whenever it is
// full, never held whole.
class blocco_uscita {
 public:
  explicit blocco_uscita(const std::function<void(std::string_view)>& uscita)
      : dati_(std::make_unique_for_overwrite<char[]>(capienza)), fine_(dati_.get()), uscita_(uscita) {}

  // Where the next `n` bytes go; the block goes out first when they do not fit.
  char* posto(std::size_t n) {
    if (libero() < n) svuota();
    return fine_;
  }
  std::size_t libero() const { return capienza - static_cast<std::size_t>(fine_ - dati_.get()); }
  void avanza(char* fine) { fine_ = fine; }
  void svuota() {
    if (fine_ != dati_.get()) uscita_(std::string_view(dati_.get(), static_cast<std::size_t>(fine_ - dati_.get())));
    fine_ = dati_.get();
  }

 private:
  static constexpr std::size_t capienza = std::size_t{1} << 16;
  // Left unfilled: a short plan touches only the bytes it writes.
  std::unique_ptr<char[]> dati_;
  char* fine_;
  const std::function<void(std::string_view)>& uscita_;
};

// One column, all its rows: rows 0 and 1 as whole numbers, the other
// computed rows as doubles, the rows never reached empty. A plan never
// started (a forced build stopped before it) has only empty rows. The
// doubles are encoded a block at a time, with no call in between.
template <typename Coordinata>
void scrivi_colonna(const planimetria& p, Coordinata coordinata, blocco_uscita& b) {
  planimetria::cursore cursore(p);
  cursore.avanza(2, [&](const planimetria::punto& punto) {
    b.avanza(codifica_elemento(b.posto(byte_elemento_intero), {codice_intero, coordinata(punto)}));
  });
  while (cursore.riga() < p.calcolate()) {
    char* c = b.posto(byte_elemento_doppio);
    const auto quante = static_cast<int32_t>(b.libero() / byte_elemento_doppio);
    cursore.avanza(quante, [&c, coordinata](const planimetria::punto& punto) {
      c = codifica_elemento(c, {codice_doppio, coordinata(punto)});
    });
    b.avanza(c);
  }
  for (int32_t riga = p.calcolate(); riga < p.righe(); ++riga) {
    b.avanza(codifica_elemento(b.posto(byte_elemento_vuoto), {codice_vuoto}));
  }
}

}  // namespace

void scrivi_planimetria(const planimetria& p, const std::function<void(std::string_view)>& uscita) {
  blocco_uscita b(uscita);
  scrivi_colonna(
      p, [](const planimetria::punto& q) { return q.primo; }, b);
  scrivi_colonna(
      p, [](const planimetria::punto& q) { return q.secondo; }, b);
  b.svuota();
}

buffer immagine_planimetria(const planimetria& p) {
  buffer immagine;
  immagine.reserve(static_cast<std::size_t>(p.righe()) * 2 * byte_elemento_doppio);
  scrivi_planimetria(p, [&immagine](std::string_view parte) { immagine.append(parte); });
  return immagine;
}

buffer immagine_tabella(const scenario& stato) {
  buffer b;
  for (const voce& v : stato.tabella) scrivi(v, b);
  return b;
}

buffer immagine_binario(const scenario& stato) {
  buffer b(stato.binario.size() * byte_cella, '\0');
  char* p = b.data();
  for (const cella& c : stato.binario) p = codifica_cella(p, c);
  return b;
}

nomi_binari nomi_file_binari(const std::string& nome_percorso, const std::string& nome_treno) {
  return {nome_percorso + "_linea.dat", nome_percorso + "_" + nome_treno + ".sim",
          nome_percorso + "_" + nome_treno + ".dat"};
}

void scrivi_file_binari(const scenario& stato, const std::string& cartella, chiamate_file& chiamate,
                        sincronia sincronia) {
  // The simulator loads the three as one scenario: all are written and
  // synced before the first is renamed into place.
  sostituzione_insieme insieme(chiamate, sincronia);
  prepara_file_binari(stato, cartella, insieme);
  insieme.installa();
}

void prepara_file_binari(const scenario& stato, const std::string& cartella, sostituzione_insieme& insieme) {
  const nomi_binari nomi = nomi_file_binari(stato.nome_percorso, stato.nome_treno);
  if (stato.con_planimetria != 0) {
    insieme.prepara(nome_completo(cartella, nomi.planimetria),
                    [&stato](const std::function<void(std::string_view)>& scrivi) {
                      scrivi_planimetria(stato.planimetria, scrivi);
                    });
  }
  insieme.prepara(nome_completo(cartella, nomi.tabella), immagine_tabella(stato));
  insieme.prepara(nome_completo(cartella, nomi.binario), immagine_binario(stato));
}

}  // namespace od
