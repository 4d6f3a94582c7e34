#include "builder/avvisi_significato.h"

#include <string>

#include "elementi/voci_generali.h"

namespace od {
namespace {

std::string n(int64_t valore) { return std::to_string(valore); }

// The bytes that follow a UTF-8 lead byte, or 0 when `b` leads none: C2..DF
// one, E0..EF two, F0..F4 three (C0, C1 and F5..FF are never UTF-8).
int seguito_utf8(unsigned char b) {
  if (b >= 0xC2 && b <= 0xDF) return 1;
  if (b >= 0xE0 && b <= 0xEF) return 2;
  if (b >= 0xF0 && b <= 0xF4) return 3;
  return 0;
}

bool continuazione(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

void avvisa_oltre_linea(contesto_lettura& contesto, int64_t posizione, int64_t fine, std::string_view cosa,
                        int32_t campo) {
  const int64_t lunghezza = lunghezza_linea(contesto.stato);
  if (lunghezza <= 0 || fine <= lunghezza) return;
  std::string dove = posizione > lunghezza ? "a " + n(posizione) + " m" : "da " + n(posizione) + " a " + n(fine) + " m";
  aggiungi_avviso(contesto, tipo_avviso::oltre_fine_linea,
                  std::string(cosa) + " " + dove + " e' oltre la fine della linea (" + n(lunghezza) +
                      " m), sul binario che dopo la fine serve solo a fermarsi: la posizione va entro " + n(lunghezza) +
                      " m, o 'lunghezza percorso' va allungata",
                  campo);
}

void avvisa_lati_segnale(contesto_lettura& contesto, int64_t sx, int64_t dx) {
  if (sx != 1 && sx != 2) {
    aggiungi_avviso(
        contesto, tipo_avviso::lato_segnale_sconosciuto,
        "sx = " + n(sx) + " non e' un codice di lato sinistro: il formato conosce 1 (avviso) e 2 (protezione)", 2);
  }
  if (dx < 0 || dx > 2) {
    aggiungi_avviso(contesto, tipo_avviso::lato_segnale_sconosciuto,
                    "dx = " + n(dx) + " non e' un codice di lato destro: il formato conosce 0 (nessuno), 1 e 2", 7);
  }
}

void avvisa_montagna(contesto_lettura& contesto, int64_t inizio, int64_t fine) {
  if (fine >= inizio) return;
  aggiungi_avviso(contesto, tipo_avviso::montagna_rovesciata,
                  "il tratto di montagna finisce a " + n(fine) + " m, prima del suo inizio a " + n(inizio) +
                      " m: scrivere prima l'inizio, poi la fine",
                  2);
}

int32_t sequenze_utf8(std::string_view testo) {
  int32_t quante = 0;
  for (std::size_t i = 0; i < testo.size(); ++i) {
    const auto segue = static_cast<std::size_t>(seguito_utf8(static_cast<unsigned char>(testo[i])));
    if (segue == 0 || i + segue >= testo.size()) continue;
    bool tutta = true;
    for (std::size_t k = 1; k <= segue; ++k) tutta = tutta && continuazione(static_cast<unsigned char>(testo[i + k]));
    if (!tutta) continue;
    ++quante;
    i += segue;
  }
  return quante;
}

void avvisa_utf8(contesto_lettura& contesto, std::string_view testo, int32_t campo) {
  const int32_t quante = sequenze_utf8(testo);
  if (quante == 0) return;
  aggiungi_avviso(contesto, tipo_avviso::caratteri_utf8,
                  "'" + std::string(testo) + "' ha " + n(quante) +
                      (quante == 1 ? " lettera scritta" : " lettere scritte") +
                      " in UTF-8: il file e' letto un byte per lettera, cosi' i documenti per il macchinista e il "
                      "simulatore ne mostrano due o piu' al posto di ciascuna e le colonne si spostano; salvare il "
                      "file in una codifica a 8 bit (Windows-1252 o ISO-8859-1), o scrivere senza accenti",
                  campo);
}

}  // namespace od
