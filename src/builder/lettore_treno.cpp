// The train half of the reading stage.
//
// The train description file is read as one field stream. Everything up to
// the first field holding "[generale]" is passed over; after it every field
// in key position is tested against all the key words in a fixed order, and
// each word found starts its own record, so one key text holding two words
// reads two records from the fields that follow it. A field that holds no key
// word (a section header, say) is simply passed over.
//
// Speed limit and adhesion are running values: a record only says from which
// cell on its value holds, so the cells from a counter up to the next
// record's cell receive the previous record's value, and the end of the file
// fills the rest of the track with the last one.
//
// There are three ways out, none of which touches the file: the end of the file or
// a position beyond the track (code 15) run the final fill and the check of
// the progressive changes; any other code stops at once; a field that cannot
// be read throws errore_lettura to the handler in memorizza_dati.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "builder/avvisi_lettura.h"
#include "builder/avvisi_significato.h"
#include "builder/avvisi_treno.h"
#include "builder/codici.h"
#include "builder/errori_record.h"
#include "builder/lettura.h"
#include "builder/memo_treno.h"
#include "elementi/abbattimenti.h"
#include "elementi/segnali.h"
#include "elementi/voci_generali.h"
#include "modello/arrotonda.h"
#include "modello/misure_linea.h"
#include "modello/stazioni.h"
#include "platform/cartella.h"
#include "scenario_text/schema.h"

namespace od {
namespace {

// What the reading does after a record.
enum class seguito {
  continua,      // next field in key position
  fine_lettura,  // final fill and checks: end of the file, or code 15
  ferma,         // a code stopped the reading; nothing more runs
};

// A running value (speed limit, adhesion) as far as the warnings go: where
// the last record put it.
struct valore_precedente {
  int64_t posizione = -1;  // -1: no record yet
  int32_t riga = 0;
};

std::string nome_senza_cartella(const std::string& percorso) {
  const std::size_t separatore = percorso.find_last_of(separatore_cartella);
  return separatore == std::string::npos ? percorso : percorso.substr(separatore + 1);
}

class lettore_treno {
 public:
  lettore_treno(contesto_lettura& contesto, std::string testo)
      : contesto_(contesto), stato_(contesto.stato), flusso_(std::move(testo)) {}

  void leggi() {
    if (!cerca_generale()) {
      aggiungi_avviso(contesto_, tipo_avviso::generale_assente,
                      "nessun campo \"[generale]\": il file non da' alcun dato del treno (nessuna stazione, "
                      "velocita' 0 ovunque)");
    }
    const seguito esito = leggi_record();
    if (records_letti_ == 0 && generale_trovata_) {
      registra_avviso(
          contesto_.sessione,
          {std::string(nome_avviso(tipo_avviso::generale_vuota)),
           "dopo \"[generale]\" non viene alcun record: il file non da' alcun dato del treno", luogo_generale_});
    }
    if (esito == seguito::ferma) return;
    chiudi_lettura();
  }

 private:
  // --- the walk over the fields ---

  bool cerca_generale() {
    while (!flusso_.fine()) {
      flusso_.leggi_testo(riga_);
      if (contiene_senza_maiuscole(riga_, "[generale]")) {
        inizia_record(contesto_, flusso_, riga_);
        generale_trovata_ = true;
        luogo_generale_ = luogo_record(contesto_, true);
        return true;
      }
    }
    return false;
  }

  const std::string& campo_chiave() {
    flusso_.leggi_testo(riga_);
    inizia_record(contesto_, flusso_, riga_);
    return riga_;
  }

  // A lone field at the very end of the file is never interpreted, so the end
  // is tested after every field read in key position.
  seguito leggi_record() {
    while (!flusso_.fine()) {
      campo_chiave();
      if (flusso_.fine()) return ultimo_campo();
      // Two comment fields in a row are passed over; a third is tried as a key.
      for (int commenti = 0; commenti < 2 && contiene(riga_, "-"); ++commenti) {
        campo_chiave();
        if (flusso_.fine()) return ultimo_campo();
      }
      const bool commento = contiene(riga_, "-");
      if (commento) avvisa_commento_come_chiave(contesto_, 2);
      bool trovata = false;
      if (const seguito s = applica_chiavi(riga_, trovata); s != seguito::continua) return s;
      if (!trovata && !commento) avvisa_campo_senza_chiave(contesto_, parte_file::treno, std::nullopt, "");
    }
    return seguito::fine_lettura;
  }

  seguito ultimo_campo() {
    avvisa_ultimo_campo(contesto_, riga_);
    return seguito::fine_lettura;
  }

  // Every record whose key words the field holds, in the schema's order.
  seguito applica_chiavi(const std::string& riga, bool& trovata) {
    for (const record_schema& r : schema_record()) {
      if (r.parte != parte_file::treno || !r.riconosce(riga)) continue;
      trovata = true;
      ++records_letti_;
      attendi_valori(contesto_, r);
      if (const seguito s = leggi_record(r.tipo); s != seguito::continua) return s;
    }
    return seguito::continua;
  }

  seguito leggi_record(tipo_record tipo) {
    switch (tipo) {
      case tipo_record::massa_frenata:
        return leggi_massa_frenata();
      case tipo_record::numero_vetture:
        return leggi_vetture();
      case tipo_record::velocita:
        return leggi_velocita();
      case tipo_record::aderenza:
        return leggi_aderenza();
      case tipo_record::orologio:
        return leggi_orologio();
      case tipo_record::sabbia:
        return leggi_sabbia();
      case tipo_record::segnale:
        return leggi_segnale();
      case tipo_record::rallentamento:
        return leggi_rallentamento();
      case tipo_record::abbattimento:
        return leggi_abbattimento();
      case tipo_record::stazione:
        return leggi_stazione();
      case tipo_record::lunghezza_percorso:
      case tipo_record::progressiva_uno:
      case tipo_record::progressiva_due:
      case tipo_record::progressiva_tre:
      case tipo_record::sfondo_uno:
      case tipo_record::sfondo_due:
      case tipo_record::sfondo_tre:
      case tipo_record::ripetizione_segnali:
      case tipo_record::pendenza:
      case tipo_record::curva:
      case tipo_record::montagna:
      case tipo_record::indicatori_vmax:
      case tipo_record::cartello_indicatore:
        break;  // line records
    }
    return seguito::continua;
  }

  // --- field widths ---

  int32_t lungo() { return flusso_.leggi_numero(); }
  int32_t corto() { return flusso_.leggi_numero(INT16_MIN, INT16_MAX); }
  uint8_t byte() { return static_cast<uint8_t>(flusso_.leggi_numero(0, UINT8_MAX)); }

  // --- the ways out ---

  seguito fine_per_posizione(int32_t posizione) {
    registra_codice(contesto_, codice_fuori_binario, posizione);
    return seguito::fine_lettura;
  }

  seguito ferma(codici codice) {
    registra_codice(contesto_, codice);
    return seguito::ferma;
  }

  seguito ferma(codici codice, int32_t posizione) {
    registra_codice(contesto_, codice, posizione);
    return seguito::ferma;
  }

  // Only the code of the call just made counts: a code that the line half
  // left behind must not stop the train file.
  seguito dopo_memo(codici codice, int32_t posizione) {
    if (codice == codici::nessuno) return seguito::continua;
    if (codice == codice_fuori_binario) return fine_per_posizione(posizione);
    return ferma(codice, posizione);
  }

  void chiudi_lettura() {
    // The last three cells are past every record and keep what they hold.
    riempi_velocita(int64_t{stato_.ultima_cella()} - 2);
    riempi(cella_aderenza_, int64_t{stato_.ultima_cella()} - 2, &cella::aderenza, aderenza_pendente_);
    controlla_progressive();
  }

  // The progressive changes come from the line file, but the simulator needs
  // them on cell boundaries; they are tested only once both files are read.
  void controlla_progressive() {
    for (int32_t i = voce_progressive; i < voce_progressive + 3; ++i) {
      const voce& v = stato_.tabella[static_cast<std::size_t>(i)];
      if (v.area_inizio % metri_cella == 0 && v.area_fine % metri_cella == 0) continue;
      contesto_.file_corrente = nome_senza_cartella(contesto_.percorso_linea);
      contesto_.linea_record = 0;
      contesto_.chiave_record.clear();
      registra_codice(contesto_, codici::progressiva_non_multipla);
      return;
    }
  }

  // --- running values ---

  // Gives the cells from `contatore` up to the one before `fino` the value,
  // at least one cell. The counter never passes the last cell that the end of
  // the file fills, so records whose positions do not increase cannot push it
  // off the track; the cell there is simply written again.
  void riempi(int32_t& contatore, int64_t fino, uint8_t cella::*campo, uint8_t valore) {
    const int32_t ultima = ultima_cella_riempita(stato_);
    if (contatore > ultima) return;  // a track too short for any running value
    while (true) {
      stato_.binario[static_cast<std::size_t>(contatore)].*campo = valore;
      if (contatore == ultima) return;
      ++contatore;
      if (contatore >= fino) return;
    }
  }

  // The order of the running values and their first record, for the
  // warnings; `cosa` names the record in the sentence.
  void avvisa_ordine(valore_precedente& prima, int32_t posizione, const std::string& cosa) {
    if (prima.posizione < 0 && cella_di(posizione) > 0) {  // some cells lie before it
      aggiungi_avviso(contesto_, tipo_avviso::inizio_senza_valore,
                      "il primo record '" + cosa + "' e' a " + std::to_string(posizione) +
                          " m: le celle prima valgono 0 (il primo va a 0 m)",
                      1);
    }
    if (prima.posizione >= 0 && posizione <= prima.posizione) {
      aggiungi_avviso(contesto_, tipo_avviso::ordine_posizioni,
                      "'" + cosa + "' a " + std::to_string(posizione) + " m viene dopo quello a " +
                          std::to_string(prima.posizione) + " m della riga " + std::to_string(prima.riga) +
                          ": questi record vanno in ordine di posizione crescente",
                      1);
    }
    prima = {posizione, contesto_.linea_record};
  }

  void fine_valori() { avvisa_se_su_piu_righe(contesto_, flusso_); }

  // The speed is kept as written and turned into steps of 5 km/h only when
  // cells take it, as the next record or the end of the file fills them: a
  // speed out of range still lets the cells below its own position take the
  // speed before it, and a forced build writes them. The failure is told at
  // the record that wrote the speed, not at the one that made the fill.
  seguito leggi_velocita() {
    const int32_t posizione = lungo();
    const int32_t velocita = lungo();
    const record_velocita letto{velocita,
                                contesto_.linea_record,
                                contesto_.colonna_chiave,
                                contesto_.chiave_record,
                                contesto_.testo_record,
                                flusso_.linea(),
                                flusso_.colonna()};
    fine_valori();
    if (fuori_binario(stato_, posizione)) return fine_per_posizione(posizione);
    avvisa_ordine(velocita_precedente_, posizione, "velocita");
    avvisa_velocita(contesto_, velocita);
    const int64_t prima_cella = cella_di(posizione);
    if (prima_cella > 0) riempi_velocita(prima_cella);
    velocita_pendente_ = letto;
    return seguito::continua;
  }

  void riempi_velocita(int64_t fino) {
    const record_velocita& v = velocita_pendente_;
    const int64_t passi = arrotonda_div(v.velocita, 5);  // the cell holds steps of 5 km/h
    if (passi < 0 || passi > UINT8_MAX) {
      contesto_.linea_record = v.linea_record;
      contesto_.colonna_chiave = v.colonna_chiave;
      contesto_.chiave_record = v.chiave_record;
      contesto_.testo_record = v.testo_record;
      throw errore_lettura("velocita' " + std::to_string(v.velocita) + " km/h: in passi di 5 km/h esce da 0..255",
                           v.linea_campo, v.colonna_campo);
    }
    riempi(cella_vmax_, fino, &cella::vmax, static_cast<uint8_t>(passi));
  }

  seguito leggi_aderenza() {
    const int32_t posizione = lungo();
    const int32_t percentuale = lungo();
    fine_valori();
    if (fuori_binario(stato_, posizione)) return fine_per_posizione(posizione);
    avvisa_ordine(aderenza_precedente_, posizione, "aderenza");
    avvisa_aderenza(contesto_, percentuale);
    const int64_t prima_cella = cella_di(posizione);
    if (prima_cella > 0) riempi(cella_aderenza_, prima_cella, &cella::aderenza, aderenza_pendente_);
    aderenza_pendente_ = static_cast<uint8_t>(percentuale);  // the cell keeps the low 8 bits
    return seguito::continua;
  }

  // --- the train ---

  seguito leggi_massa_frenata() {
    massa_frenata(stato_) = lungo();
    fine_valori();
    return seguito::continua;
  }

  seguito leggi_vetture() {
    vetture(stato_) = lungo();
    fine_valori();
    return seguito::continua;
  }

  seguito leggi_orologio() {
    orologio_ore(stato_) = static_cast<int16_t>(corto());
    orologio_minuti(stato_) = static_cast<int16_t>(corto());
    orologio_secondi(stato_) = static_cast<int16_t>(corto());
    fine_valori();
    avvisa_ora(contesto_, orologio_ore(stato_), orologio_minuti(stato_), orologio_secondi(stato_), 1);
    return seguito::continua;
  }

  seguito leggi_sabbia() {
    sabbia(stato_) = static_cast<int16_t>(corto());
    fine_valori();
    return seguito::continua;
  }

  // --- items on the track ---

  seguito leggi_segnale() {
    dati_segnale s;
    for (int32_t* campo : {&s.posizione, &s.sx, &s.s1, &s.s2, &s.s3, &s.rapp, &s.dx, &s.d1, &s.d2, &s.d3, &s.tempo}) {
      *campo = lungo();
    }
    fine_valori();
    if (fuori_binario(stato_, s.posizione)) return fine_per_posizione(s.posizione);
    avvisa_segnale(contesto_, s);
    avvisa_lati_segnale(contesto_, s.sx, s.dx);
    avvisa_oltre_linea(contesto_, s.posizione, s.posizione, "il segnale", 1);
    const int64_t posto = cella_puntuale(s.posizione);
    const codici codice = memo_segnale(stato_, s);
    const seguito esito = dopo_memo(codice, s.posizione);
    if (codice == codici::segnale_occupata) nomina_occupante(contesto_, posto);
    if (esito == seguito::continua) registra_origine(contesto_, static_cast<int32_t>(posto));
    return esito;
  }

  seguito leggi_rallentamento() {
    dati_rallentamento r;
    for (int32_t* campo : {&r.x, &r.v, &r.l, &r.f_tt, &r.f_ta, &r.d_v}) *campo = lungo();
    fine_valori();
    if (fuori_binario(stato_, r.x)) return fine_per_posizione(r.x);
    avvisa_rallentamento(contesto_, r);
    avvisa_oltre_linea(contesto_, r.x, int64_t{r.x} + std::max(r.l, 0), "il rallentamento", 1);
    const codici codice = memo_rallentamento(stato_, r);
    const seguito esito = dopo_memo(codice, r.x);
    const celle_rallentamento celle = celle_di(r);
    if (codice >= codici::avviso_occupata && codice <= codici::preavviso_occupata) {
      const int64_t occupata = cella_occupata(codice, celle);
      nomina_occupante(contesto_, occupata);
      contesto_.esito.luogo.cella = occupata;  // the headline names the clash, not the slowdown's start
    }
    if (esito != seguito::continua) return esito;
    for (const int64_t posto : {celle.inizio, celle.fine}) registra_origine(contesto_, static_cast<int32_t>(posto));
    if (r.x > inizio_con_avviso) {
      registra_origine(contesto_, static_cast<int32_t>(celle.avviso));
      if (r.f_ta != 0) {
        for (int64_t k = 0; k < 4; ++k) registra_origine(contesto_, static_cast<int32_t>(celle.preavvisi - k));
      }
    }
    return esito;
  }

  // The cells of a slowdown, as memo_rallentamento takes them, for naming
  // what holds a cell that it could not take.
  struct celle_rallentamento {
    int64_t avviso, inizio, fine, preavvisi;  // preavvisi: the first of four, counting down
  };
  static celle_rallentamento celle_di(const dati_rallentamento& r) {
    return {cella_puntuale(int64_t{r.x} - distanza_avviso), cella_puntuale(r.x), cella_puntuale(int64_t{r.x} + r.l),
            cella_di(int64_t{r.x} - distanza_avviso)};
  }
  int64_t cella_occupata(codici codice, const celle_rallentamento& c) const {
    if (codice == codici::avviso_occupata) return c.avviso;
    if (codice == codici::inizio_occupata) return c.inizio;
    if (codice == codici::fine_occupata) return c.fine;
    for (int64_t k = 0; k < 4; ++k) {
      const int64_t n = c.preavvisi - k;
      if (n >= 0 && n <= stato_.ultima_cella() && !cella_libera(stato_.binario[static_cast<std::size_t>(n)])) return n;
    }
    return -1;
  }

  seguito leggi_abbattimento() {
    const int32_t posizione = lungo();
    const int32_t valore = lungo();
    fine_valori();
    if (fuori_binario(stato_, posizione)) return fine_per_posizione(posizione);
    avvisa_abbattimento(contesto_, valore);
    cella& posto = stato_.binario[static_cast<std::size_t>(cella_di(posizione))];
    const int64_t n = cella_di(posizione);
    if (!cella_libera(posto)) {
      const seguito s = ferma(codici::abbattimento_occupata, posizione);
      nomina_occupante(contesto_, n);
      return s;
    }
    registra_origine(contesto_, static_cast<int32_t>(n));
    impacca_abbattimento(posto, valore);
    return seguito::continua;
  }

  // --- stations ---

  seguito leggi_stazione() {
    const int32_t i = numero_stazione_;
    // Entries above the sign entry counter hold sign texts: only a line file
    // that fills every one of them leaves no entry for even the first station.
    if (i > contesto_.contatore_cartelli) return ferma(codici::stazioni_nei_cartelli);
    // Every field goes into the station's entry as it is read (only the
    // length and the time of day are working values), so a station stopped
    // half-way leaves what was read of it, and a forced build writes that.
    voce& stazione = stato_.tabella[static_cast<std::size_t>(i)];
    stazione.posizione = lungo();
    // A station needs 800 m of track after its position.
    if (stazione.posizione < 0 || int64_t{stazione.posizione} + 800 > inizio_cella(stato_.ultima_cella())) {
      return fine_per_posizione(stazione.posizione);
    }
    if (stazione.posizione % metri_cella != 0) return ferma(codici::stazione_posizione, stazione.posizione);
    stazione.tipo = byte();
    const int32_t lunghezza = lungo();
    if (lunghezza % 100 != 0) return ferma(codici::stazione_lunghezza, stazione.posizione);
    leggi_campi_stazione(stazione);
    avvisa_opzioni_stazione(contesto_, i, stazione.tipo, lunghezza, stazione.opzione_b, stazione.opzione_c);
    avvisa_oltre_linea(contesto_, stazione.posizione, stazione.posizione, "la stazione", 1);
    avvisa_utf8(contesto_, stazione.nome, 17);
    avvisa_orario(stazione);
    calcola_area(stazione, lunghezza);
    if (lunghezza < 600) stazione.opzione_b = 0;
    if (i == 1) {  // the train starts there
      stazione.opzione_b = 0;
      stazione.opzione_c = 0;
    }
    return colloca_stazione(stazione);
  }

  void leggi_campi_stazione(voce& stazione) {
    stazione.opzione_a = byte();
    stazione.opzione_b = byte();
    stazione.opzione_c = byte();
    stazione.terna_a1 = static_cast<int16_t>(corto());
    stazione.terna_a2 = static_cast<int16_t>(corto());
    stazione.terna_a3 = byte();
    stazione.terna_b1 = static_cast<int16_t>(corto());
    stazione.terna_b2 = static_cast<int16_t>(corto());
    stazione.terna_b3 = static_cast<int16_t>(corto());
    stazione.sosta = byte();
    const int64_t ore = lungo();
    const int64_t minuti = lungo();
    const int64_t secondi = lungo();
    stazione.nome = flusso_.leggi_testo();
    controlla_lunghezza_testo(flusso_, stazione.nome);
    fine_valori();
    avvisa_ora(contesto_, ore, minuti, secondi, 14);
    stazione.orario = in_32_bit((ore * 60 + minuti) * 60 + secondi, "orario della stazione");
  }

  // Scheduled times (0 is none) must increase from station to station.
  void avvisa_orario(const voce& stazione) {
    righe_stazioni_.resize(static_cast<std::size_t>(numero_stazione_) + 1);
    righe_stazioni_[static_cast<std::size_t>(numero_stazione_)] = luogo_record(contesto_, false);
    if (stazione.orario == 0) return;
    if (orario_precedente_ >= 0 && stazione.orario <= orario_precedente_) {
      const voce& prima = stato_.tabella[static_cast<std::size_t>(stazione_orario_)];
      aggiungi_avviso(contesto_, tipo_avviso::orario_all_indietro,
                      "l'orario " + ora_del_giorno(stazione.orario) + " non viene dopo quello di '" + prima.nome +
                          "' (" + ora_del_giorno(prima.orario) + ", riga " +
                          std::to_string(righe_stazioni_[static_cast<std::size_t>(stazione_orario_)].linea) + ")",
                      14);
    }
    orario_precedente_ = stazione.orario;
    stazione_orario_ = numero_stazione_;
  }

  static std::string ora_del_giorno(int64_t secondi) {
    const auto due_cifre = [](int64_t v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    return std::to_string(secondi / 3600) + ":" + due_cifre(secondi / 60 % 60) + ":" + due_cifre(secondi % 60);
  }

  int32_t in_32_bit(int64_t valore, const std::string& cosa) {
    if (valore < INT32_MIN || valore > INT32_MAX) fallisci_valore(flusso_, cosa + " oltre i 32 bit");
    return static_cast<int32_t>(valore);
  }

  // The start, then the end, then the flag that the area's kind clears: the
  // order in which a value that does not fit stops them.
  void calcola_area(voce& stazione, int32_t lunghezza) {
    const int64_t p = stazione.posizione;
    const bool capolinea = tipo_capolinea(stazione.tipo);
    const bool simmetrico = tipo_simmetrico(stazione.tipo);
    const int64_t inizio = capolinea || simmetrico ? p - lunghezza : arrotonda_div(2 * p - lunghezza, 2);
    stazione.area_inizio = in_32_bit(inizio, "inizio dell'area della stazione");
    int64_t fine = arrotonda_div(2 * p + lunghezza, 2) + (stazione.opzione_c != 0 ? allungo_area : 0);
    if (capolinea) fine = p + 150;
    if (simmetrico) fine = p + lunghezza;
    stazione.area_fine = in_32_bit(fine, "fine dell'area della stazione");
    if (capolinea || simmetrico) stazione.opzione_c = 0;
  }

  seguito colloca_stazione(const voce& stazione) {
    const int32_t i = numero_stazione_;
    const bool con_fermata = stazione.tipo < tipo_senza_fermata;
    // The stopping point is the cell before the area's end; its marks lie
    // below it and need no test of their own.
    const bool fermata_oltre_inizio = stazione.area_fine > 100;
    const int64_t fermata = cella_di(int64_t{stazione.area_fine} - metri_cella);
    if (con_fermata && fermata_oltre_inizio && fermata > stato_.ultima_cella()) {
      return fine_per_posizione(stazione.posizione);
    }

    if (con_fermata && !tipo_capolinea(stazione.tipo)) metti_preavvisi_stazione(stazione.area_fine);
    if (con_fermata) {
      if (!fermata_oltre_inizio) return ferma(codici::fermata_all_inizio);
      cella& posto = stato_.binario[static_cast<std::size_t>(fermata)];
      posto.oggetto = oggetto::fermata;
      posto.valore1 = static_cast<int16_t>(i);
      registra_origine(contesto_, static_cast<int32_t>(fermata));
    }
    if (i > 1 && int64_t{stazione.area_inizio} - 350 < stato_.tabella[static_cast<std::size_t>(i - 1)].area_fine) {
      const seguito s = ferma(codici::stazioni_vicine, stazione.posizione);
      contesto_.esito.luogo.motivo = motivo_distanza(stazione);
      return s;
    }
    ++numero_stazione_;
    if (numero_stazione_ >= contesto_.contatore_cartelli) return ferma(codici::stazioni_nei_cartelli);
    return seguito::continua;
  }

  // Code 22 names the station before, so that the author sees which two
  // records meet, and says when they are simply out of order.
  std::string motivo_distanza(const voce& stazione) const {
    const auto i = static_cast<std::size_t>(numero_stazione_);
    const voce& prima = stato_.tabella[i - 1];
    const int32_t riga = i - 1 < righe_stazioni_.size() ? righe_stazioni_[i - 1].linea : 0;
    std::string testo = stazione.posizione <= prima.posizione
                            ? "le stazioni vanno in ordine di posizione: questa a " +
                                  std::to_string(stazione.posizione) + " m viene dopo '" + prima.nome + "' a " +
                                  std::to_string(prima.posizione) + " m"
                            : "l'area di questa stazione comincia a " + std::to_string(stazione.area_inizio) +
                                  " m, meno di 350 m dopo la fine di quella di '" + prima.nome + "'";
    testo += " (riga " + std::to_string(riga) + ", area da " + std::to_string(prima.area_inizio) + " a " +
             std::to_string(prima.area_fine) + " m)";
    return testo;
  }

  // Marks 81 to 84 in the four cells below the stopping point, 81 nearest to
  // it; marks that would fall on cell 1 or below are left out.
  void metti_preavvisi_stazione(int32_t area_fine) {
    for (int32_t j = 1; j <= 4; ++j) {
      const std::optional<int64_t> posto = cella_preavviso_stazione(area_fine, j);
      if (!posto) continue;
      stato_.binario[static_cast<std::size_t>(*posto)].preavviso = static_cast<uint8_t>(preavviso_stazione(j));
    }
  }

  contesto_lettura& contesto_;
  scenario& stato_;
  flusso_campi flusso_;
  std::string riga_;  // the field just read in key position
  int32_t numero_stazione_ = 1;
  int32_t cella_vmax_ = 0;      // next cell to receive a speed limit
  int32_t cella_aderenza_ = 0;  // next cell to receive an adhesion value
  // The last speed-limit record: its speed in km/h, and where it stands.
  struct record_velocita {
    int32_t velocita = 0;
    int32_t linea_record = 0;
    int32_t colonna_chiave = 0;
    std::string chiave_record;
    std::string_view testo_record;  // in the file's text, which the reading keeps
    int32_t linea_campo = 0;        // the speed field
    int32_t colonna_campo = 0;
  };
  record_velocita velocita_pendente_;
  uint8_t aderenza_pendente_ = 0;  // value of the last adhesion record, percent
  // For the warnings only.
  bool generale_trovata_ = false;
  luogo_errore luogo_generale_;
  int32_t records_letti_ = 0;
  valore_precedente velocita_precedente_;
  valore_precedente aderenza_precedente_;
  int64_t orario_precedente_ = -1;                            // the last scheduled time, seconds; -1: none yet
  int32_t stazione_orario_ = 0;                               // the station that has it
  std::vector<luogo_errore> righe_stazioni_{luogo_errore{}};  // by station number, for the messages
};

}  // namespace

void leggi_file_treno(contesto_lettura& contesto) {
  contesto.file_corrente = nome_senza_cartella(contesto.percorso_treno);
  contesto.linea_record = 0;
  contesto.chiave_record.clear();
  contesto.testo_record = {};
  contesto.colonna_chiave = 0;
  contesto.nome_record = {};
  contesto.schema_corrente = nullptr;
  std::optional<std::string> testo = leggi_descrizione(contesto, contesto.percorso_treno);
  if (!testo) {
    const std::string illeggibile = motivo_illeggibile(contesto.percorso_treno);
    if (!illeggibile.empty()) throw errore_lettura("il file della descrizione del treno: " + illeggibile, 0, 0);
    std::string motivo = "il file della descrizione del treno manca o non si puo' leggere";
    const std::string vicino = file_vicino(contesto.file_corrente, file_della_cartella(contesto.sorgente.cartella));
    if (!vicino.empty()) motivo += "; " + vicino;
    throw errore_lettura(motivo, 0, 0);
  }
  lettore_treno(contesto, std::move(*testo)).leggi();
}

}  // namespace od
