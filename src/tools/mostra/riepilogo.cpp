#include "tools/mostra/riepilogo.h"

#include <fmt/format.h>
#include <fmt/ostream.h>

#include "output/file_binari.h"

namespace od {

std::string testo_orario(int32_t secondi) {
  const char* segno = secondi < 0 ? "-" : "";
  const int64_t s = secondi < 0 ? -int64_t{secondi} : secondi;
  return fmt::format("{}{:02}:{:02}:{:02}", segno, s / 3600, s / 60 % 60, s % 60);
}

namespace {

void intestazione(const scenario_letto& s, std::ostream& u) {
  const nomi_binari nomi = nomi_file_binari(s.stato.nome_percorso, s.stato.nome_treno);
  fmt::print(u, "Scenario {}, treno {}\n", s.stato.nome_percorso, s.stato.nome_treno);
  if (s.planimetria_presente) {
    fmt::print(u, "  {:<40} {} byte\n", nomi.planimetria, s.byte_planimetria);
  } else {
    fmt::print(u, "  {:<40} assente\n", nomi.planimetria);
  }
  fmt::print(u, "  {:<40} {} byte\n", nomi.tabella, s.byte_tabella);
  fmt::print(u, "  {:<40} {} byte\n", nomi.binario, s.byte_binario);
}

void linea(const generale_letto& g, std::ostream& u) {
  fmt::print(u, "\nLinea\n");
  fmt::print(u, "  {:<26} {} m (binario {} m, celle 0-{})\n", "lunghezza", g.lunghezza_linea, g.lunghezza_totale,
             g.ultima_cella);
  if (g.righe_planimetria > 0) {
    fmt::print(u, "  {:<26} {} righe, {} calcolate\n", "planimetria", g.righe_planimetria, g.righe_calcolate);
  }
}

// A change as the line file writes it and as the handbook explains it: past
// the position p, the posted kilometre is the value plus p (verso 0) or the
// value minus p (verso 1). The entry keeps a decreasing value plus 100,
// which is said, so that the number read back is not taken for the one to
// write.
std::string testo_progressiva(const progressiva_letta& p) {
  const bool decrescente = p.verso == 1;
  const int64_t scritta = decrescente ? int64_t{p.progressiva} - 100 : int64_t{p.progressiva};
  std::string testo =
      fmt::format("oltre {} m: {} {} p, verso {}", p.posizione, scritta, decrescente ? '-' : '+', p.verso);
  if (decrescente) testo += fmt::format(" (la voce tiene {} = {} + 100)", p.progressiva, scritta);
  return testo;
}

void generale(const generale_letto& g, std::ostream& u) {
  fmt::print(u, "\nValori generali\n");
  for (std::size_t n = 0; n < g.progressive.size(); ++n) {
    const progressiva_letta& p = g.progressive[n];
    fmt::print(u, "  {:<26} {}\n", fmt::format("progressiva (voce {})", 81 + n), testo_progressiva(p));
  }
  fmt::print(u, "  {:<26} uno {}, due {}, tre {}\n", "sfondi", g.sfondi[0], g.sfondi[1], g.sfondi[2]);
  fmt::print(u, "  {:<26} {} m, {} m, {} codici\n", "ripetizione segnali", g.ripetizione_primo, g.ripetizione_secondo,
             g.ripetizione_codici);
  fmt::print(u, "  {:<26} {} %\n", "massa frenata", g.massa_frenata);
  fmt::print(u, "  {:<26} {}\n", "vetture", g.vetture);
  fmt::print(u, "  {:<26} {}\n", "sabbia", g.sabbia);
  fmt::print(u, "  {:<26} {:02}:{:02}:{:02}\n", "orologio", g.orologio[0], g.orologio[1], g.orologio[2]);
  fmt::print(u, "  {:<26} {} (voce 85), {} (cella 1)\n", "segni", g.segno_tabella, g.segno_binario);
  fmt::print(u, "  {:<26} pesato {} (voce 85), semplice {} (cella 1)\n", "codici di gara", g.codice_st, g.codice_og);
}

void stazioni(const elementi_linea& e, std::ostream& u) {
  fmt::print(u, "\nStazioni ({})\n", e.stazioni.size());
  if (e.stazioni.empty()) return;
  fmt::print(u, "  {:>4} {:>9} {:>4} {:>19} {:>8} {:>5} {:>7}  {}\n", "voce", "posizione", "tipo", "area", "orario",
             "sosta", "fermata", "nome");
  for (const stazione_letta& st : e.stazioni) {
    const voce& v = st.dati;
    const std::string fermata = st.cella_fermata >= 0 ? fmt::format("{}", st.cella_fermata) : "-";
    fmt::print(u, "  {:>4} {:>7} m {:>4} {:>7} .. {:>6} m {:>8} {:>3} s {:>7}  {}\n", st.numero, v.posizione, v.tipo,
               v.area_inizio, v.area_fine, testo_orario(v.orario), v.sosta, fermata, v.nome);
  }
}

void segnali(const elementi_linea& e, std::ostream& u) {
  fmt::print(u, "\nSegnali ({})\n", e.segnali.size());
  if (e.segnali.empty()) return;
  fmt::print(u, "  {:>9} {:>5}  {:<14} {:<14} {:>4} {:>6}\n", "posizione", "cella", "sinistra", "destra", "rapp",
             "attesa");
  for (const segnale_letto& s : e.segnali) {
    const std::string sinistra = fmt::format("{}: {},{},{}", s.sx, s.sinistra[0], s.sinistra[1], s.sinistra[2]);
    const std::string destra =
        s.dx == 0 ? std::string("-") : fmt::format("{}: {},{},{}", s.dx, s.destra[0], s.destra[1], s.destra[2]);
    fmt::print(u, "  {:>7} m {:>5}  {:<14} {:<14} {:>4} {:>4} s\n", s.posizione, s.cella, sinistra, destra, s.rapp,
               s.attesa);
  }
}

std::string cella_o_trattino(int32_t c) { return c >= 0 ? fmt::format("{}", c) : "-"; }

void rallentamenti(const elementi_linea& e, std::ostream& u) {
  fmt::print(u, "\nRallentamenti ({})\n", e.rallentamenti.size());
  if (!e.rallentamenti.empty()) {
    fmt::print(u, "  {:>9} {:>9} {:>8} {:>8} {:>7} {:>10} {:>9} {:>4}\n", "inizio", "fine", "km/h", "avviso", "cella",
               "preavvisi", "intero", "d_v");
  }
  for (const rallentamento_letto& r : e.rallentamenti) {
    const std::string fine = r.cella_fine >= 0 ? fmt::format("{} m", posizione_puntuale(r.cella_fine)) : "-";
    const std::string avviso = r.cella_avviso >= 0 ? fmt::format("{} m", posizione_puntuale(r.cella_avviso)) : "-";
    fmt::print(u, "  {:>7} m {:>9} {:>8} {:>8} {:>7} {:>10} {:>9} {:>4}\n", posizione_puntuale(r.cella_inizio), fine,
               r.velocita, avviso, cella_o_trattino(r.cella_avviso), r.celle_preavviso.size(),
               r.treno_intero != 0 ? "si'" : "no", r.d_v);
  }
  for (const parte_isolata& p : e.isolate) {
    fmt::print(u, "  cella {} ({} m): {} senza un inizio di rallentamento, valore {}\n", p.cella,
               posizione_puntuale(p.cella),
               p.oggetto == oggetto::fine_rallentamento     ? "fine"
               : p.oggetto == oggetto::avviso_rallentamento ? "avviso"
                                                            : "preavviso",
               p.valore1);
  }
}

void indicatori(const elementi_linea& e, std::ostream& u) {
  fmt::print(u, "\nIndicatori di velocita' ({})\n", e.indicatori.size());
  for (const indicatore_letto& b : e.indicatori) {
    fmt::print(u, "  {:>7} m  cella {:>5}  sinistra {}/{}/{} km/h, {} strisce  destra {}/{}/{} km/h, {} strisce\n",
               b.posizione, b.cella, b.sinistra[0], b.sinistra[1], b.sinistra[2], b.strisce_sinistra, b.destra[0],
               b.destra[1], b.destra[2], b.strisce_destra);
  }
}

void cartelli(const elementi_linea& e, std::ostream& u) {
  fmt::print(u, "\nCartelli ({})\n", e.cartelli.size());
  for (const cartello_letto& c : e.cartelli) {
    fmt::print(u, "  {:>7} m  cella {:>5}  voce {:>2}  {}\n", c.posizione, c.cella, c.voce, c.testo);
  }
}

void abbattimenti(const elementi_linea& e, std::ostream& u) {
  fmt::print(u, "\nAbbattimenti ({})\n", e.abbattimenti.size());
  for (const abbattimento_letto& a : e.abbattimenti) {
    if (a.fine) {
      fmt::print(u, "  {:>7} m  cella {:>5}  fine abbattimento\n", a.posizione, a.cella);
    } else {
      fmt::print(u, "  {:>7} m  cella {:>5}  valore {}\n", a.posizione, a.cella, a.valore);
    }
  }
}

template <typename Testo>
void tratti(std::string_view titolo, const std::vector<tratto>& t, std::ostream& u, Testo testo) {
  fmt::print(u, "\n{} ({} tratti)\n", titolo, t.size());
  for (const tratto& x : t) {
    fmt::print(u, "  {:>7} m .. {:>7} m  celle {:>5}-{:<5}  {}\n", inizio_cella(x.da), inizio_cella(x.a + 1), x.da, x.a,
               testo(x));
  }
}

void valori_di_marcia(const elementi_linea& e, std::ostream& u) {
  const int32_t riempita = e.generale.ultima_riempita;
  fmt::print(u, "\nValori di marcia, celle 0-{} (le ultime tre celle non sono mai riempite)\n", riempita);
  tratti("Pendenze", e.pendenze, u, [](const tratto& x) { return fmt::format("{} per mille", x.valore - 100); });
  tratti("Velocita' massima", e.velocita, u, [](const tratto& x) { return fmt::format("{} km/h", x.valore * 5); });
  tratti("Aderenza", e.aderenze, u, [](const tratto& x) { return fmt::format("{} %", x.valore); });
  tratti("Lato montagna", e.montagne, u,
         [](const tratto& x) { return fmt::format("tipo {}, {} segni", x.valore, x.segni); });
}

}  // namespace

void scrivi_riepilogo(const scenario_letto& s, const elementi_linea& e, std::ostream& uscita) {
  intestazione(s, uscita);
  if (!s.tabella_letta || !s.binario_letto) {
    fmt::print(uscita, "\nNessun riepilogo: {} non si puo' decodificare.\n",
               !s.tabella_letta ? "la tabella delle voci" : "il binario");
    return;
  }
  linea(e.generale, uscita);
  generale(e.generale, uscita);
  stazioni(e, uscita);
  segnali(e, uscita);
  rallentamenti(e, uscita);
  indicatori(e, uscita);
  cartelli(e, uscita);
  abbattimenti(e, uscita);
  valori_di_marcia(e, uscita);
}

}  // namespace od
