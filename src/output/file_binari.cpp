#include "output/file_binari.h"

#include "builder/campi.h"
#include "platform/cartella.h"
#include "platform/file_atomico.h"

namespace od {

void scrivi(const cella& c, buffer& b) {
  per_ogni_campo(c, [&b](std::string_view, const auto& campo) { put_campo(b, campo); });
}

void scrivi(const voce& v, buffer& b) {
  per_ogni_campo(v, [&b](std::string_view, const auto& campo) { put_campo(b, campo); });
}

namespace {

enum : uint16_t { variante_vuota = 0, variante_intera = 2, variante_doppia = 5 };

// The plan of a long line is tens of megabytes: it goes out in blocks of
// about this size rather than as one image.
constexpr std::size_t blocco_planimetria = 1 << 16;

void scrivi_colonna(const planimetria& p, bool seconda, buffer& b, const std::function<void(std::string_view)>& uscita) {
  // Only computed rows hold a value: an empty row has nothing to read, and a
  // plan never started (a forced build stopped before it) has no rows at all.
  auto valore = [&](int32_t riga) { return seconda ? p.secondo(riga) : p.primo(riga); };
  for (int32_t riga = 0; riga < p.righe(); ++riga) {
    if (b.size() >= blocco_planimetria) {
      uscita(b);
      b.clear();
    }
    switch (p.tipo(riga)) {
      case planimetria::tipo_riga::vuota:
        put_u16(b, variante_vuota);
        break;
      case planimetria::tipo_riga::intera:
        put_u16(b, variante_intera);
        put_i16(b, static_cast<int16_t>(valore(riga)));
        break;
      case planimetria::tipo_riga::doppia:
        put_u16(b, variante_doppia);
        put_f64(b, valore(riga));
        break;
    }
  }
}

}  // namespace

void scrivi_planimetria(const planimetria& p, const std::function<void(std::string_view)>& uscita) {
  buffer b;
  b.reserve(blocco_planimetria + 16);
  scrivi_colonna(p, false, b, uscita);
  scrivi_colonna(p, true, b, uscita);
  if (!b.empty()) uscita(b);
}

buffer immagine_planimetria(const planimetria& p) {
  buffer immagine;
  immagine.reserve(static_cast<std::size_t>(p.righe()) * 20);
  scrivi_planimetria(p, [&immagine](std::string_view parte) { immagine.append(parte); });
  return immagine;
}

buffer immagine_tabella(const stato_scenario& stato) {
  buffer b;
  for (const voce& v : stato.tabella) scrivi(v, b);
  return b;
}

buffer immagine_binario(const stato_scenario& stato) {
  buffer b;
  b.reserve(stato.binario.size() * 15);
  for (const cella& c : stato.binario) scrivi(c, b);
  return b;
}

nomi_binari nomi_file_binari(const std::string& nome_percorso, const std::string& nome_treno) {
  return {nome_percorso + "_linea.dat", nome_percorso + "_" + nome_treno + ".sim",
          nome_percorso + "_" + nome_treno + ".dat"};
}

void scrivi_file_binari(const stato_scenario& stato, const std::string& cartella, chiamate_file& chiamate) {
  const nomi_binari nomi = nomi_file_binari(stato.nome_percorso, stato.nome_treno);
  // The simulator loads the three as one scenario: all are written and
  // synced before the first is renamed into place.
  sostituzione_insieme insieme(chiamate);
  if (stato.con_planimetria != 0) {
    insieme.prepara(nome_completo(cartella, nomi.planimetria),
                    [&stato](const std::function<void(std::string_view)>& scrivi) {
                      scrivi_planimetria(stato.planimetria, scrivi);
                    });
  }
  insieme.prepara(nome_completo(cartella, nomi.tabella), immagine_tabella(stato));
  insieme.prepara(nome_completo(cartella, nomi.binario), immagine_binario(stato));
  insieme.installa();
}

}  // namespace od
