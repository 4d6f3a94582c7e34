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
// There are three ways out, and each deletes the file: the end of the file or
// a position beyond the track (code 15) run the final fill and the check of
// the progressive changes; any other code stops at once; a field that cannot
// be read throws errore_lettura to the handler in memorizza_dati.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "builder/arrotonda.h"
#include "builder/lettura.h"
#include "builder/memo_treno.h"
#include "platform/cartella.h"

namespace od {
namespace {

// What the reading does after a record.
enum class seguito {
  continua,      // next field in key position
  fine_lettura,  // final fill and checks: end of the file, or code 15
  ferma,         // a code stopped the reading; nothing more runs
};

constexpr int32_t codice_fuori_binario = 15;
// Stations of a type from this code up have no stopping point on the track.
constexpr int32_t tipo_senza_fermata = 25;
// Stations of these types reach from their length before the position to a
// fixed distance (5, 6) or to the same length (7, 8) after it.
bool tipo_capolinea(int32_t tipo) { return tipo == 5 || tipo == 6; }
bool tipo_simmetrico(int32_t tipo) { return tipo == 7 || tipo == 8; }

std::string nome_senza_cartella(const std::string& percorso) {
  const std::size_t separatore = percorso.find_last_of(separatore_cartella);
  return separatore == std::string::npos ? percorso : percorso.substr(separatore + 1);
}

class lettore_treno {
 public:
  lettore_treno(contesto_lettura& contesto, std::string testo)
      : contesto_(contesto), stato_(contesto.stato), flusso_(std::move(testo)) {}

  void leggi() {
    cerca_generale();
    if (leggi_record() == seguito::ferma) return;
    chiudi_lettura();
  }

 private:
  // --- the walk over the fields ---

  void cerca_generale() {
    while (!flusso_.fine()) {
      stato_.riga = flusso_.leggi_testo();
      if (contiene_senza_maiuscole(stato_.riga, "[generale]")) return;
    }
  }

  const std::string& campo_chiave() {
    stato_.riga = flusso_.leggi_testo();
    inizia_record(contesto_, flusso_, stato_.riga);
    return stato_.riga;
  }

  // A lone field at the very end of the file is never interpreted, so the end
  // is tested after every field read in key position.
  seguito leggi_record() {
    while (!flusso_.fine()) {
      campo_chiave();
      if (flusso_.fine()) return seguito::fine_lettura;
      // Two comment fields in a row are passed over; a third is tried as a key.
      for (int commenti = 0; commenti < 2 && contiene(stato_.riga, "-"); ++commenti) {
        campo_chiave();
        if (flusso_.fine()) return seguito::fine_lettura;
      }
      if (const seguito s = applica_chiavi(stato_.riga); s != seguito::continua) return s;
    }
    return seguito::fine_lettura;
  }

  seguito applica_chiavi(const std::string& riga) {
    using lettura_record = seguito (lettore_treno::*)();
    struct chiave {
      std::string_view parola;
      std::string_view anche;  // a second word that must be there too, or empty
      lettura_record leggi;
    };
    // The order is part of the format: a key text with two words reads its
    // records in this order.
    static constexpr chiave chiavi[] = {
        {"frenata", "massa", &lettore_treno::leggi_massa_frenata},
        {"vetture", "", &lettore_treno::leggi_vetture},
        {"velocit", "", &lettore_treno::leggi_velocita},
        {"aderenza", "", &lettore_treno::leggi_aderenza},
        {"orologio", "", &lettore_treno::leggi_orologio},
        {"sabbia", "", &lettore_treno::leggi_sabbia},
        {"segnale", "", &lettore_treno::leggi_segnale},
        {"rallentamento", "", &lettore_treno::leggi_rallentamento},
        {"abbattimento", "", &lettore_treno::leggi_abbattimento},
        {"stazione", "", &lettore_treno::leggi_stazione},
    };
    for (const chiave& k : chiavi) {
      if (!contiene_senza_maiuscole(riga, k.parola) || !contiene_senza_maiuscole(riga, k.anche)) continue;
      if (const seguito s = (this->*k.leggi)(); s != seguito::continua) return s;
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

  seguito ferma(int32_t codice) {
    elimina_letto(contesto_, contesto_.percorso_treno);
    registra_codice(contesto_, codice);
    return seguito::ferma;
  }

  seguito ferma(int32_t codice, int32_t posizione) {
    elimina_letto(contesto_, contesto_.percorso_treno);
    registra_codice(contesto_, codice, posizione);
    return seguito::ferma;
  }

  // Only the code of the call just made counts: a code that the line half
  // left behind must not stop the train file.
  seguito dopo_memo(int32_t codice, int32_t posizione) {
    if (codice == 0) return seguito::continua;
    if (codice == codice_fuori_binario) return fine_per_posizione(posizione);
    return ferma(codice, posizione);
  }

  void chiudi_lettura() {
    elimina_letto(contesto_, contesto_.percorso_treno);
    // The last three cells are past every record and keep what they hold.
    riempi_velocita(int64_t{stato_.ultima_cella} - 2);
    riempi(cella_aderenza_, int64_t{stato_.ultima_cella} - 2, &cella::aderenza, aderenza_pendente_);
    controlla_progressive();
  }

  // The progressive changes come from the line file, but the simulator needs
  // them on cell boundaries; they are tested only once both files are read.
  void controlla_progressive() {
    for (int32_t i = voce_progressive; i < voce_progressive + 3; ++i) {
      const voce& v = stato_.tabella[static_cast<std::size_t>(i)];
      if (v.area_inizio % 50 == 0 && v.area_fine % 50 == 0) continue;
      contesto_.file_corrente = nome_senza_cartella(contesto_.percorso_linea);
      contesto_.linea_record = 0;
      contesto_.chiave_record.clear();
      registra_codice(contesto_, 2);
      return;
    }
  }

  // --- running values ---

  // Gives the cells from `contatore` up to the one before `fino` the value,
  // at least one cell. The counter never passes the last cell that the end of
  // the file fills, so records whose positions do not increase cannot push it
  // off the track; the cell there is simply written again.
  void riempi(int32_t& contatore, int64_t fino, uint8_t cella::*campo, uint8_t valore) {
    const int32_t ultima = stato_.ultima_cella - 3;
    if (contatore > ultima) return;  // a track too short for any running value
    while (true) {
      stato_.binario[static_cast<std::size_t>(contatore)].*campo = valore;
      if (contatore == ultima) return;
      ++contatore;
      if (contatore >= fino) return;
    }
  }

  // The speed is kept as written and turned into steps of 5 km/h only when
  // cells take it, as the next record or the end of the file fills them: a
  // speed out of range still lets the cells below its own position take the
  // speed before it, and a forced build writes them. The failure is told at
  // the record that wrote the speed, not at the one that made the fill.
  seguito leggi_velocita() {
    const int32_t posizione = lungo();
    const int32_t velocita = lungo();
    const record_velocita letto{velocita, contesto_.linea_record, contesto_.colonna_chiave, contesto_.chiave_record,
                                contesto_.testo_record, flusso_.linea(), flusso_.colonna()};
    if (fuori_binario(stato_, posizione)) return fine_per_posizione(posizione);
    const int64_t prima_cella = arrotonda_div(posizione, 50);
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
    if (fuori_binario(stato_, posizione)) return fine_per_posizione(posizione);
    const int64_t prima_cella = arrotonda_div(posizione, 50);
    if (prima_cella > 0) riempi(cella_aderenza_, prima_cella, &cella::aderenza, aderenza_pendente_);
    aderenza_pendente_ = static_cast<uint8_t>(percentuale);  // the cell keeps the low 8 bits
    return seguito::continua;
  }

  // --- the train ---

  seguito leggi_massa_frenata() {
    stato_.tabella[voce_treno].area_inizio = lungo();
    return seguito::continua;
  }

  seguito leggi_vetture() {
    stato_.tabella[voce_treno].posizione = lungo();
    return seguito::continua;
  }

  seguito leggi_orologio() {
    voce& treno = stato_.tabella[voce_ripetizione];
    treno.terna_b1 = static_cast<int16_t>(corto());
    treno.terna_b2 = static_cast<int16_t>(corto());
    treno.terna_b3 = static_cast<int16_t>(corto());
    return seguito::continua;
  }

  seguito leggi_sabbia() {
    stato_.tabella[voce_ripetizione].terna_a1 = static_cast<int16_t>(corto());
    return seguito::continua;
  }

  // --- items on the track ---

  seguito leggi_segnale() {
    dati_segnale s;
    for (int32_t* campo : {&s.posizione, &s.sx, &s.s1, &s.s2, &s.s3, &s.rapp, &s.dx, &s.d1, &s.d2, &s.d3, &s.tempo}) {
      *campo = lungo();
    }
    if (fuori_binario(stato_, s.posizione)) return fine_per_posizione(s.posizione);
    const seguito esito = dopo_memo(memo_segnale(stato_, s), s.posizione);
    if (esito == seguito::continua) registra_origine(contesto_, static_cast<int32_t>(arrotonda_div(int64_t{s.posizione} + 50, 50)));
    return esito;
  }

  seguito leggi_rallentamento() {
    dati_rallentamento r;
    for (int32_t* campo : {&r.x, &r.v, &r.l, &r.f_tt, &r.f_ta, &r.d_v}) *campo = lungo();
    if (fuori_binario(stato_, r.x)) return fine_per_posizione(r.x);
    const seguito esito = dopo_memo(memo_rallentamento(stato_, r), r.x);
    if (esito == seguito::continua) registra_origine(contesto_, static_cast<int32_t>(arrotonda_div(int64_t{r.x} + 50, 50)));
    return esito;
  }

  seguito leggi_abbattimento() {
    const int32_t posizione = lungo();
    const int32_t valore = lungo();
    if (fuori_binario(stato_, posizione)) return fine_per_posizione(posizione);
    cella& posto = stato_.binario[static_cast<std::size_t>(arrotonda_div(posizione, 50))];
    if (!cella_libera(posto)) return ferma(7, posizione);
    if (valore > 0) {
      posto.oggetto = oggetto::abbattimento;
      posto.valore1 = static_cast<int16_t>(valore);  // low 16 bits, like every cell value
    } else {
      posto.oggetto = oggetto::fine_abbattimento;
    }
    return seguito::continua;
  }

  // --- stations ---

  seguito leggi_stazione() {
    const int32_t i = numero_stazione_;
    // Entries above the sign entry counter hold sign texts: only a line file
    // that fills every one of them leaves no entry for even the first station.
    if (i > contesto_.contatore_cartelli) return ferma(10);
    // Every field goes into the station's entry as it is read (only the
    // length and the time of day are working values), so a station stopped
    // half-way leaves what was read of it, and a forced build writes that.
    voce& stazione = stato_.tabella[static_cast<std::size_t>(i)];
    stazione.posizione = lungo();
    // A station needs 800 m of track after its position.
    if (stazione.posizione < 0 || int64_t{stazione.posizione} + 800 > int64_t{stato_.ultima_cella} * 50) {
      return fine_per_posizione(stazione.posizione);
    }
    if (stazione.posizione % 50 != 0) return ferma(8, stazione.posizione);
    stazione.tipo = byte();
    const int32_t lunghezza = lungo();
    if (lunghezza % 100 != 0) return ferma(9, stazione.posizione);
    leggi_campi_stazione(stazione);
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
    stazione.orario = in_32_bit((ore * 60 + minuti) * 60 + secondi, "orario della stazione");
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
    int64_t fine = arrotonda_div(2 * p + lunghezza, 2) + (stazione.opzione_c != 0 ? 50 : 0);
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
    const int64_t fermata = arrotonda_div(int64_t{stazione.area_fine} - 50, 50);
    if (con_fermata && fermata_oltre_inizio && fermata > stato_.ultima_cella) {
      return fine_per_posizione(stazione.posizione);
    }

    if (con_fermata && !tipo_capolinea(stazione.tipo)) metti_preavvisi_stazione(stazione.area_fine);
    if (con_fermata) {
      if (!fermata_oltre_inizio) return ferma(24);
      cella& posto = stato_.binario[static_cast<std::size_t>(fermata)];
      posto.oggetto = oggetto::fermata;
      posto.valore1 = static_cast<int16_t>(i);
    }
    if (i > 1 && int64_t{stazione.area_inizio} - 350 < stato_.tabella[static_cast<std::size_t>(i - 1)].area_fine) {
      return ferma(22, stazione.posizione);
    }
    ++numero_stazione_;
    if (numero_stazione_ >= contesto_.contatore_cartelli) return ferma(10);
    return seguito::continua;
  }

  // Marks 81 to 84 in the four cells below the stopping point, 81 nearest to
  // it; marks that would fall on cell 1 or below are left out.
  void metti_preavvisi_stazione(int32_t area_fine) {
    for (int32_t j = 1; j <= 4; ++j) {
      if (int64_t{area_fine} <= 50 * int64_t{2 + j}) continue;  // area_fine / 50 - 1 - j > 1
      const int64_t posto = arrotonda_div(int64_t{area_fine} - 50 - 50 * int64_t{j}, 50);
      stato_.binario[static_cast<std::size_t>(posto)].preavviso = static_cast<uint8_t>(80 + j);
    }
  }

  contesto_lettura& contesto_;
  stato_scenario& stato_;
  flusso_campi flusso_;
  int32_t numero_stazione_ = 1;
  int32_t cella_vmax_ = 0;       // next cell to receive a speed limit
  int32_t cella_aderenza_ = 0;   // next cell to receive an adhesion value
  // The last speed-limit record: its speed in km/h, and where it stands.
  struct record_velocita {
    int32_t velocita = 0;
    int32_t linea_record = 0;
    int32_t colonna_chiave = 0;
    std::string chiave_record;
    std::string testo_record;
    int32_t linea_campo = 0;  // the speed field
    int32_t colonna_campo = 0;
  };
  record_velocita velocita_pendente_;
  uint8_t aderenza_pendente_ = 0;  // value of the last adhesion record, percent
};

}  // namespace

void leggi_file_treno(contesto_lettura& contesto) {
  contesto.file_corrente = nome_senza_cartella(contesto.percorso_treno);
  contesto.linea_record = 0;
  contesto.chiave_record.clear();
  std::optional<std::string> testo = leggi_descrizione(contesto, contesto.percorso_treno);
  if (!testo) throw errore_lettura("il file della descrizione del treno manca o non si puo' leggere", 0, 0);
  lettore_treno(contesto, std::move(*testo)).leggi();
}

}  // namespace od
