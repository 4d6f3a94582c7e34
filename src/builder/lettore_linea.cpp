// The line half of the reading stage.
//
// The file is a stream of fields (see flusso_campi.h). Fields before the
// first one holding "[generale]" are passed over; then the general section
// runs up to and including the next field holding both brackets, and the
// body to the end of the file. A field in key position is recognised by the
// words it contains, and one field may start several records. Comments (a
// "-" anywhere in a key field) are passed over, up to 10 in a row in the
// general section and 2 in the body. The reading stops as soon as the end of
// the file follows a field just read in key position, so a last lone field
// is never interpreted.
//
// Every handler below either goes on, ends the reading (code 15: the end of
// reading and the train file still follow) or breaks it off with a code.
#include <algorithm>
#include <string>
#include <utility>

#include "builder/avvisi_lettura.h"
#include "builder/avvisi_significato.h"
#include "builder/codici.h"
#include "builder/errori_record.h"
#include "builder/lettura.h"
#include "builder/memo_linea.h"
#include "elementi/indicatori.h"
#include "elementi/voci_generali.h"
#include "modello/arrotonda.h"
#include "modello/misure_linea.h"
#include "platform/cartella.h"
#include "platform/file_atomico.h"
#include "scenario_text/nomi_file.h"
#include "scenario_text/schema.h"

namespace od {
namespace {

enum class seguito { continua, fine_lettura, interrotta };

constexpr int32_t righe_planimetria_massime = 1000000;

struct lettore_linea {
  contesto_lettura& contesto;
  scenario& stato;
  flusso_campi flusso;
  std::string riga;  // the field just read in key position
  // Working state of the body.
  int32_t contatore_pendenza = 0;
  int32_t pendenza_precedente = 0;
  // For the warnings only: where the last gradient and curve were.
  int64_t posizione_pendenza = -1;
  int32_t riga_pendenza = 0;
  int64_t fine_curva_precedente = -1;
  int32_t riga_curva = 0;
  // Without the plan a curve is no key, and its two values come next in key
  // position: neither is a slip of the author's.
  int32_t valori_curva_da_saltare = 0;

  seguito interrompi(codici codice) {
    registra_codice(contesto, codice);
    return seguito::interrotta;
  }
  seguito interrompi(codici codice, int32_t posizione) {
    contesto.esito.posizione = posizione;
    return interrompi(codice);
  }
  seguito interrompi_su_cella(codici codice, int32_t posizione, int64_t cella) {
    const seguito s = interrompi(codice, posizione);
    nomina_occupante(contesto, cella);
    return s;
  }
  seguito fuori(int64_t posizione) {
    registra_codice(contesto, codice_fuori_binario, posizione);
    return seguito::fine_lettura;
  }

  void leggi_chiave() {
    flusso.leggi_testo(riga);
    inizia_record(contesto, flusso, riga);
  }

  bool cerca_generale();
  seguito sezione_generale();
  seguito chiave_generale(bool& trovata);
  seguito record_generale(tipo_record tipo, bool& trovata);
  void avvisa_corpo_senza_chiave();
  seguito lunghezza();
  seguito ripetizione();
  seguito corpo();
  seguito chiave_corpo();
  seguito record_corpo(tipo_record tipo);
  seguito pendenza();
  seguito curva();
  seguito montagna();
  seguito indicatore();
  seguito cartello();
  void riempi_pendenza(int32_t fino);
  void avvisa_pendenza(int32_t p, int32_t g);
  void avvisa_indicatore(const int32_t (&valori)[8]);
  void fine_lettura();
};

bool lettore_linea::cerca_generale() {
  while (!flusso.fine()) {
    leggi_chiave();
    if (flusso.fine()) return false;
    if (contiene_senza_maiuscole(riga, "[generale]")) return true;
  }
  return false;
}

seguito lettore_linea::sezione_generale() {
  int32_t chiavi_lette = 0;
  while (!flusso.fine()) {
    leggi_chiave();
    if (flusso.fine()) {
      avvisa_ultimo_campo(contesto, riga);
      break;
    }
    for (int i = 0; i < 10 && contiene(riga, "-"); ++i) leggi_chiave();
    const bool commento_letto = contiene(riga, "-");
    if (commento_letto) avvisa_commento_come_chiave(contesto, 10);
    bool trovata = false;
    if (const seguito s = chiave_generale(trovata); s != seguito::continua) return s;
    if (trovata) ++chiavi_lette;
    if (!trovata && !commento_letto) {
      avvisa_campo_senza_chiave(contesto, parte_file::linea_generale, parte_file::linea_corpo,
                                "dopo la prima intestazione di sezione");
    }
    if (intestazione(riga)) break;
  }
  if (chiavi_lette == 0) {
    aggiungi_avviso(contesto, tipo_avviso::generale_vuota, "la sezione generale finisce qui senza alcun record");
  }
  return seguito::continua;
}

seguito lettore_linea::chiave_generale(bool& trovata) {
  for (const record_schema& r : schema_record()) {
    if (r.parte != parte_file::linea_generale) continue;
    if (const seguito s = record_generale(r.tipo, trovata); s != seguito::continua) return s;
  }
  return seguito::continua;
}

// Reads the record `tipo` when the key field holds it; each one found notes
// the record it starts, for the warnings and for a record cut short.
seguito lettore_linea::record_generale(tipo_record tipo, bool& trovata) {
  const auto letto = [&](tipo_record t) {
    const record_schema& r = record_di(t);
    if (!r.riconosce(riga)) return false;
    trovata = true;
    attendi_valori(contesto, r);
    return true;
  };
  switch (tipo) {
    case tipo_record::lunghezza_percorso:
      return letto(tipo) ? lunghezza() : seguito::continua;
    case tipo_record::progressiva_uno: {
      // The three changes are read from "tre" down, into entries 81 to 83.
      const tipo_record dall_alto[] = {tipo_record::progressiva_tre, tipo_record::progressiva_due,
                                       tipo_record::progressiva_uno};
      for (int n = 0; n < 3; ++n) {
        if (!letto(dall_alto[n])) continue;
        voce& v = stato.tabella[static_cast<std::size_t>(voce_progressive + n)];
        v.area_inizio = flusso.leggi_numero();
        v.area_fine = flusso.leggi_numero();
        v.posizione = flusso.leggi_numero();
      }
      return seguito::continua;
    }
    case tipo_record::progressiva_due:
    case tipo_record::progressiva_tre:
      return seguito::continua;  // read with progressiva_uno
    case tipo_record::sfondo_uno:
      if (letto(tipo)) sfondo_uno(stato) = flusso.leggi_numero();
      return seguito::continua;
    case tipo_record::sfondo_due:
      if (letto(tipo)) sfondo_due(stato) = flusso.leggi_numero();
      return seguito::continua;
    case tipo_record::sfondo_tre:
      if (letto(tipo)) sfondo_tre(stato) = flusso.leggi_numero();
      return seguito::continua;
    case tipo_record::ripetizione_segnali:
      return letto(tipo) ? ripetizione() : seguito::continua;
    case tipo_record::pendenza:
    case tipo_record::curva:
    case tipo_record::montagna:
    case tipo_record::indicatori_vmax:
    case tipo_record::cartello_indicatore:
    case tipo_record::massa_frenata:
    case tipo_record::numero_vetture:
    case tipo_record::velocita:
    case tipo_record::aderenza:
    case tipo_record::orologio:
    case tipo_record::sabbia:
    case tipo_record::segnale:
    case tipo_record::rallentamento:
    case tipo_record::abbattimento:
    case tipo_record::stazione:
      return seguito::continua;  // not of the general section
  }
  return seguito::continua;
}

seguito lettore_linea::lunghezza() {
  const int32_t metri = flusso.leggi_numero();
  lunghezza_linea(stato) = metri;
  if (metri > lunghezza_massima) return interrompi(codici::lunghezza_oltre);
  if (metri < 0) fallisci_valore(flusso, "lunghezza del percorso negativa");
  crea_binario(stato, metri);
  return seguito::continua;
}

seguito lettore_linea::ripetizione() {
  int32_t& primo = ripetizione_primo(stato);
  int32_t& secondo = ripetizione_secondo(stato);
  int32_t& codici_ripetizione = ripetizione_codici(stato);
  primo = flusso.leggi_numero();
  secondo = flusso.leggi_numero();
  if (primo % metri_cella != 0) return interrompi(codici::ripetizione_inizio);
  if (secondo % metri_cella != 0) return interrompi(codici::ripetizione_fine);
  if (contiene(riga, "4")) {
    codici_ripetizione = 4;
  } else if (contiene(riga, "9")) {
    codici_ripetizione = 9;
  } else {
    return interrompi(codici::ripetizione_senza_codici);
  }
  if (secondo == 0) codici_ripetizione = 0;
  return seguito::continua;
}

seguito lettore_linea::corpo() {
  while (!flusso.fine()) {
    leggi_chiave();
    if (flusso.fine()) {
      avvisa_ultimo_campo(contesto, riga);
      return seguito::continua;
    }
    for (int i = 0; i < 2 && contiene(riga, "-"); ++i) {
      leggi_chiave();
      if (flusso.fine()) {
        avvisa_ultimo_campo(contesto, riga);
        return seguito::continua;
      }
    }
    if (contiene(riga, "-")) avvisa_commento_come_chiave(contesto, 2);
    if (const seguito s = chiave_corpo(); s != seguito::continua) return s;
  }
  return seguito::continua;
}

void lettore_linea::avvisa_corpo_senza_chiave() {
  if (contiene(riga, "-")) return;  // a comment read as a key: already told
  if (valori_curva_da_saltare > 0) {
    --valori_curva_da_saltare;
    return;
  }
  if (stato.con_planimetria == 0 && record_di(tipo_record::curva).riconosce(riga)) {
    valori_curva_da_saltare = 2;
    return;
  }
  avvisa_campo_senza_chiave(contesto, parte_file::linea_corpo, parte_file::linea_generale, "nella sezione generale");
}

seguito lettore_linea::chiave_corpo() {
  seguito s = seguito::continua;
  bool una = false;
  for (const record_schema& r : schema_record()) {
    if (s != seguito::continua || r.parte != parte_file::linea_corpo || !r.riconosce(riga)) continue;
    // Without the plan a curve is no key.
    if (r.tipo == tipo_record::curva && stato.con_planimetria == 0) continue;
    una = true;
    attendi_valori(contesto, r);
    s = record_corpo(r.tipo);
  }
  if (!una) avvisa_corpo_senza_chiave();
  return s;
}

seguito lettore_linea::record_corpo(tipo_record tipo) {
  switch (tipo) {
    case tipo_record::pendenza:
      return pendenza();
    case tipo_record::curva:
      return curva();
    case tipo_record::montagna:
      return montagna();
    case tipo_record::indicatori_vmax:
      return indicatore();
    case tipo_record::cartello_indicatore:
      return cartello();
    case tipo_record::lunghezza_percorso:
    case tipo_record::progressiva_uno:
    case tipo_record::progressiva_due:
    case tipo_record::progressiva_tre:
    case tipo_record::sfondo_uno:
    case tipo_record::sfondo_due:
    case tipo_record::sfondo_tre:
    case tipo_record::ripetizione_segnali:
    case tipo_record::massa_frenata:
    case tipo_record::numero_vetture:
    case tipo_record::velocita:
    case tipo_record::aderenza:
    case tipo_record::orologio:
    case tipo_record::sabbia:
    case tipo_record::segnale:
    case tipo_record::rallentamento:
    case tipo_record::abbattimento:
    case tipo_record::stazione:
      break;  // not of the body
  }
  return seguito::continua;
}

// Gives the cells from the counter on the previous gradient, up to the cell
// before `fino` and at least one cell. Positions that do not increase move
// the counter on by one cell each; it never passes the cell after the last
// one that the end of reading fills, so the last two cells always stay 0.
void lettore_linea::riempi_pendenza(int32_t fino) {
  const int32_t ultima_riempita = ultima_cella_riempita(stato) + 1;
  do {
    if (contatore_pendenza > ultima_riempita) break;
    stato.binario[static_cast<std::size_t>(contatore_pendenza)].pendenza =
        static_cast<uint8_t>(pendenza_precedente + 100);
    ++contatore_pendenza;
  } while (contatore_pendenza < fino);
}

seguito lettore_linea::pendenza() {
  const int32_t p = flusso.leggi_numero();
  const int32_t g = flusso.leggi_numero();
  avvisa_se_su_piu_righe(contesto, flusso);
  if (fuori_binario(stato, p)) return fuori(p);
  avvisa_pendenza(p, g);
  const int32_t v = static_cast<int32_t>(cella_di(p));
  if (v > 0) riempi_pendenza(v);
  pendenza_precedente = g;
  return seguito::continua;
}

seguito lettore_linea::curva() {
  const int32_t inizio = flusso.leggi_numero();
  const int32_t lunghezza_curva = flusso.leggi_numero();
  avvisa_se_su_piu_righe(contesto, flusso);
  if (fuori_binario(stato, inizio)) return fuori(inizio);
  const int64_t fine = int64_t{inizio} + lunghezza_curva;
  if (inizio < fine_curva_precedente) {
    aggiungi_avviso(contesto, tipo_avviso::ordine_posizioni,
                    "la curva comincia a " + std::to_string(inizio) + " m, prima della fine (" +
                        std::to_string(fine_curva_precedente) + " m) della curva della riga " +
                        std::to_string(riga_curva) + ": le curve vanno in ordine e senza sovrapporsi",
                    1);
  }
  fine_curva_precedente = fine;
  riga_curva = contesto.linea_record;
  if (fine > stato.lunghezza_totale) return fuori(fine);
  double k = curvatura_chiave(riga);
  if (k == 0.0) return interrompi(codici::curva_impossibile);
  if (contiene_senza_maiuscole(riga, "s")) k = -k;
  const int32_t fine_curva = static_cast<int32_t>(std::max<int64_t>(fine, 0));
  // The rows stop at the 1000000th; one more would be a failure.
  prolunga_planimetria(stato.planimetria, std::min(inizio, righe_planimetria_massime),
                       std::min(fine_curva, righe_planimetria_massime), k);
  if (stato.planimetria.calcolate() > righe_planimetria_massime) return interrompi(codici::curva_impossibile);
  return seguito::continua;
}

seguito lettore_linea::montagna() {
  int32_t inizio = flusso.leggi_numero();
  int32_t fine = flusso.leggi_numero();
  int32_t tipo = flusso.leggi_numero();
  avvisa_se_su_piu_righe(contesto, flusso);
  avvisa_montagna(contesto, inizio, fine);
  if (fuori_binario(stato, inizio)) return fuori(inizio);
  if (cella_di(int64_t{fine} - metri_cella) > stato.ultima_cella()) return fuori(fine);
  if (contesto.sessione.montagne.quanti >= max_montagne) fallisci_valore(flusso, "piu' di 80 tratti di montagna");
  const int32_t tipo_cella = tipo > 10 ? tipo - 10 : tipo;
  if (tipo_cella < 0 || tipo_cella > 255) fallisci_valore(flusso, "tipo di montagna fuori dagli 8 bit");
  memo_montagna(stato, contesto.sessione.montagne, inizio, fine, tipo);
  return seguito::continua;
}

seguito lettore_linea::indicatore() {
  const int32_t posizione = flusso.leggi_numero();
  int32_t velocita[8];
  for (int32_t& v : velocita) v = flusso.leggi_numero();
  avvisa_se_su_piu_righe(contesto, flusso);
  avvisa_indicatore(velocita);
  const int32_t strisces = velocita[3];
  const int32_t strisced = velocita[7];
  if (strisces < INT16_MIN || strisces > INT16_MAX || strisced < INT16_MIN || strisced > INT16_MAX) {
    fallisci_valore(flusso, "numero di strisce oltre i 16 bit");
  }
  if (fuori_binario(stato, posizione)) return fuori(posizione);
  // memo_indicatori_v_max: the board's cell must be free.
  const int64_t n = cella_puntuale(posizione);
  cella& c = stato.binario[static_cast<std::size_t>(n)];
  if (!cella_libera(c)) return interrompi_su_cella(codici::indicatore_occupata, posizione, n);
  registra_origine(contesto, static_cast<int32_t>(n));
  const valori_indicatore v = impacca_indicatore(velocita[0], velocita[1], velocita[2], strisces, velocita[4],
                                                 velocita[5], velocita[6], strisced);
  // The cell takes the board first and each value as it is packed, so a
  // value that does not fit leaves the board with the values before it, as a
  // forced build then writes it.
  c.oggetto = oggetto::indicatore_vmax;
  const std::pair<int16_t cella::*, int64_t> valori[] = {{&cella::valore1, v.valore1},
                                                         {&cella::valore2, v.valore2},
                                                         {&cella::valore3, v.valore3},
                                                         {&cella::valore4, v.valore4}};
  for (const auto& [campo, valore] : valori) {
    if (valore < INT16_MIN || valore > INT16_MAX) fallisci_valore(flusso, "valore dell'indicatore oltre i 16 bit");
    c.*campo = static_cast<int16_t>(valore);
  }
  return seguito::continua;
}

seguito lettore_linea::cartello() {
  const int32_t p = flusso.leggi_numero();
  riga = flusso.leggi_testo();
  controlla_lunghezza_testo(flusso, riga);
  avvisa_se_su_piu_righe(contesto, flusso);
  if (fuori_binario(stato, p)) return fuori(p);
  avvisa_utf8(contesto, riga, 2);
  const int64_t n = cella_puntuale(p);
  cella& c = stato.binario[static_cast<std::size_t>(n)];
  if (!cella_libera(c)) return interrompi_su_cella(codici::cartello_occupata, p, n);
  if (contesto.contatore_cartelli < 1) return interrompi(codici::stazioni_nei_cartelli);
  registra_origine(contesto, static_cast<int32_t>(n));
  c.oggetto = oggetto::cartello;
  c.valore1 = static_cast<int16_t>(contesto.contatore_cartelli);
  stato.tabella[static_cast<std::size_t>(contesto.contatore_cartelli)].nome = riga;
  --contesto.contatore_cartelli;
  return seguito::continua;
}

void lettore_linea::avvisa_pendenza(int32_t p, int32_t g) {
  if (posizione_pendenza >= 0 && p <= posizione_pendenza) {
    aggiungi_avviso(contesto, tipo_avviso::ordine_posizioni,
                    "la pendenza a " + std::to_string(p) + " m viene dopo quella a " +
                        std::to_string(posizione_pendenza) + " m della riga " + std::to_string(riga_pendenza) +
                        ": le pendenze vanno in ordine di posizione crescente",
                    1);
  }
  posizione_pendenza = p;
  riga_pendenza = contesto.linea_record;
  // The cell holds the gradient plus 100 in one byte.
  if (!nel_campo(tipo_record::pendenza, 2, g)) {
    const int32_t registrata = static_cast<uint8_t>(g + 100) - 100;
    const campo_schema& campo = campo_di(tipo_record::pendenza, 2);
    aggiungi_avviso(contesto, tipo_avviso::valore_troncato,
                    "la pendenza " + std::to_string(g) + " per mille e' registrata come " + std::to_string(registrata) +
                        ": la cella tiene da " + std::to_string(campo.minimo) + " a " + std::to_string(campo.massimo),
                    2);
  }
}

// The board packs each pair as left speed * 20 + right speed / 5 and the
// stripes as left * 10 + right: a right-hand value outside the schema's
// range runs into the left-hand one.
void lettore_linea::avvisa_indicatore(const int32_t (&valori)[8]) {
  for (int i = 4; i < 7; ++i) {
    const int32_t v = valori[i];
    const int32_t campo = i + 2;  // the position is the first value
    if (!nel_campo(tipo_record::indicatori_vmax, campo, v)) {
      aggiungi_avviso(contesto, tipo_avviso::valore_sovrapposto,
                      "la velocita' " + std::to_string(v) + " km/h del gruppo destro esce da 0..97 e nel valore " +
                          "impacchettato si mescola a quella del gruppo sinistro",
                      campo);
    } else if (v % 5 != 0) {
      aggiungi_avviso(contesto, tipo_avviso::velocita_arrotondata,
                      "la velocita' " + std::to_string(v) + " km/h e' registrata come " +
                          std::to_string(arrotonda_div(v, 5) * 5) + " km/h (passi di 5 km/h)",
                      campo);
    }
  }
  for (const int i : {3, 7}) {
    if (nel_campo(tipo_record::indicatori_vmax, i + 2, valori[i])) continue;
    aggiungi_avviso(
        contesto, tipo_avviso::valore_sovrapposto,
        "il numero di strisce " + std::to_string(valori[i]) + " esce da 0..9 e si mescola con quello dell'altro gruppo",
        i + 2);
  }
}

void lettore_linea::fine_lettura() {
  // The last gradient holds up to the last three cells, which keep 0.
  riempi_pendenza(ultima_cella_riempita(stato) + 1);
  if (stato.con_planimetria != 0) prolunga_planimetria(stato.planimetria, stato.lunghezza_totale - 2, 0, 0.0);
}

}  // namespace

bool leggi_file_linea(contesto_lettura& contesto) {
  scenario& stato = contesto.stato;
  contesto.file_corrente = nome_file_linea(stato.nome_percorso);
  const std::optional<std::string> testo = leggi_descrizione(contesto, contesto.percorso_linea);
  if (!testo) {
    registra_codice(contesto, codici::linea_assente);
    const std::string illeggibile = motivo_illeggibile(contesto.percorso_linea);
    contesto.esito.luogo.motivo =
        !illeggibile.empty() ? illeggibile
                             : file_vicino(contesto.file_corrente, file_della_cartella(contesto.sorgente.cartella));
    return false;
  }
  lettore_linea lettore{contesto, stato, flusso_campi(*testo), {}};
  if (!lettore.cerca_generale()) return lettore.interrompi(codici::generale_assente) == seguito::continua;
  if (lettore.sezione_generale() == seguito::interrotta) return false;
  if (stato.binario.empty())
    fallisci_valore(lettore.flusso, "la sezione generale non ha la riga \"lunghezza percorso\"");
  progressive_ordina(stato);
  contesto.sessione.montagne = {};
  contesto.contatore_cartelli = prima_voce_cartelli;
  if (stato.con_planimetria != 0) stato.planimetria.avvia();
  if (lettore.corpo() == seguito::interrotta) return false;
  lettore.fine_lettura();
  return true;
}

}  // namespace od
