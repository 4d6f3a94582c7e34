#include "tools/comune/documenti.h"

#include <fmt/format.h>
#include <fmt/ostream.h>

#include <algorithm>
#include <stdexcept>

#include "builder/avvisi.h"
#include "modello/stazioni.h"
#include "platform/cartella.h"
#include "platform/file_atomico.h"

namespace od {
namespace {

constexpr const char* opzioni_testata[] = {"--numero-treno", "--categoria", "--classificazione", "--massa",
                                           "--velocita-marcia"};

// CLI11's own range check speaks English; this one says it in Italian, and
// messaggio_italiano passes a validation message through as it is.
CLI::Validator intero_fra(int minimo, int massimo) {
  return CLI::Validator(
      [=](std::string& testo) -> std::string {
        int x = 0;
        if (CLI::detail::lexical_cast(testo, x) && x >= minimo && x <= massimo) return {};
        return fmt::format("vuole un numero intero da {} a {}, non {}", minimo, massimo, testo);
      },
      "");
}

// The share of the margin at timed station `a` that falls on station `k`,
// passed after timed station `da`: the margin in proportion to the running
// time from `da` to `k` over the running time from `da` to `a`.
double quota_di_margine(const scenario& stato, const tempo_stazione& da, const tempo_stazione& a,
                        const tempo_stazione& k) {
  const voce& v = stato.tabella[static_cast<std::size_t>(a.voce)];
  // Where the train stops at `a`, its scheduled time is the departure.
  const double arrivo_previsto = *a.orario - (a.partenza ? v.sosta : 0);
  const double partenza = std::max(da.partenza.value_or(da.arrivo), static_cast<double>(*da.orario));
  const double corsa = a.arrivo - partenza;
  const double margine = arrivo_previsto - a.arrivo;
  if (corsa <= 0 || margine <= 0) return 0;
  return margine * (k.arrivo - partenza) / corsa;
}

}  // namespace

void aggiungi_opzioni_documenti(CLI::App& app, opzioni_documenti& o) {
  testata_documenti& t = o.testata;
  const auto opzione = [&app](const char* nome, auto& campo, const char* tipo, const char* aiuto) {
    return app.add_option(nome, campo, aiuto)->type_name(tipo)->group("Documenti");
  };
  app.add_flag("--documenti", o.documenti,
               "scrive accanto ai file binari la scheda treno e l'ordine di rallentamento dello scenario")
      ->group("Documenti");
  opzione("--numero-treno", t.numero_treno, "NUMERO",
          "numero del treno nella scheda e nell'ordine (per difetto vuoto)");
  opzione("--categoria", t.categoria, "TESTO", "categoria nella testata della scheda, per esempio \"V140 C\"");
  opzione("--classificazione", t.classificazione, "TESTO", "classificazione del treno, per esempio REGIONALE");
  opzione("--massa", t.massa, "T", "massa bloccata in tonnellate")->check(intero_fra(0, 999999));
  opzione("--velocita-marcia", t.velocita_marcia, "KMH", "velocita' di marcia in km/h, nella riga della prima stazione")
      ->check(intero_fra(0, 9999));
}

std::string controlla_opzioni_documenti(const CLI::App& app, const opzioni_documenti& o) {
  if (o.documenti) return {};
  for (const char* opzione : opzioni_testata) {
    if (app.count(opzione) > 0) return fmt::format("{} si usa solo insieme a --documenti", opzione);
  }
  return {};
}

std::string documenti_presenti(const std::string& cartella, const std::string& percorso, const std::string& treno) {
  const nomi_documenti nomi = nomi_documenti_scenario(percorso, treno);
  for (const std::string& nome : {nomi.scheda, nomi.rallentamenti}) {
    const std::string f = nome_completo(cartella, nome);
    if (esiste_voce(f)) {
      return fmt::format("{}: esiste gia'; non lo sostituisco (--sovrascrivi per sostituirlo)", f);
    }
  }
  return {};
}

std::vector<std::string> scrivi_documenti_se_assenti(const std::string& cartella, const scenario& stato,
                                                     const opzioni_documenti& o, const opzioni_orario& percorrenza,
                                                     std::vector<avviso>& avvisi, sostituzione_insieme* insieme) {
  const std::string presente = documenti_presenti(cartella, stato.nome_percorso, stato.nome_treno);
  if (presente.empty()) return scrivi_documenti(cartella, stato, o, percorrenza, avvisi, insieme);
  avvisi.push_back({std::string(nome_avviso(tipo_avviso::documenti_presenti)),
                    presente + ": i documenti restano come sono, i file binari sono scritti",
                    {}});
  return {};
}

tempi_stazioni tempi_di_passaggio(const scenario& stato, const tabella_orario& t) {
  const std::vector<int> stazioni = stazioni_del_percorso(stato);
  tempi_stazioni tempi(stazioni.size());
  std::size_t da = 0;  // the last timed station passed, index into t.stazioni
  for (std::size_t k = 0; k < t.stazioni.size(); ++k) {
    const tempo_stazione& s = t.stazioni[k];
    const auto dove = std::find(stazioni.begin(), stazioni.end(), s.voce);
    if (dove == stazioni.end()) continue;
    double tempo = s.arrivo;
    const auto a = std::find_if(t.stazioni.begin() + static_cast<std::ptrdiff_t>(k), t.stazioni.end(),
                                [](const tempo_stazione& x) { return x.orario.has_value(); });
    if (s.orario) {
      da = k;
    } else if (a != t.stazioni.end() && t.stazioni[da].orario) {
      tempo += quota_di_margine(stato, t.stazioni[da], *a, s);
    }
    tempi[static_cast<std::size_t>(dove - stazioni.begin())] = tempo;
  }
  return tempi;
}

margini_stazioni margini_di(const scenario& stato, const tabella_orario& t) {
  const std::vector<int> stazioni = stazioni_del_percorso(stato);
  margini_stazioni margini(stazioni.size());
  for (const tempo_stazione& s : t.stazioni) {
    const auto dove = std::find(stazioni.begin(), stazioni.end(), s.voce);
    if (dove != stazioni.end()) margini[static_cast<std::size_t>(dove - stazioni.begin())] = s.margine;
  }
  return margini;
}

righe_documenti componi_documenti(const scenario& stato, const opzioni_documenti& o, const opzioni_orario& percorrenza,
                                  std::vector<avviso>& avvisi_scenario) {
  avvisi_documenti avvisi;
  const tabella_orario orario = calcola_orario(stato, percorrenza.treno, percorrenza.margine_minimo);
  if (!orario.errore.empty() && stazioni_del_percorso(stato).size() > 2) {
    avvisi.push_back("scheda treno: nessun tempo di passaggio: " + orario.errore);
  }
  righe_documenti righe;
  righe.scheda =
      righe_scheda_scenario(stato, o.testata, tempi_di_passaggio(stato, orario), margini_di(stato, orario), avvisi);
  righe.ordine = righe_rallentamenti_scenario(stato, o.testata, avvisi);
  for (std::string& a : avvisi)
    avvisi_scenario.push_back({std::string(nome_avviso(tipo_avviso::nome_tagliato)), std::move(a), {}});
  for (std::string& a : orari_non_al_mezzo_minuto(stato))
    avvisi_scenario.push_back({std::string(nome_avviso(tipo_avviso::orario_arrotondato)), std::move(a), {}});
  return righe;
}

std::vector<std::string> scrivi_documenti(const std::string& cartella, const scenario& stato,
                                          const opzioni_documenti& o, const opzioni_orario& percorrenza,
                                          std::vector<avviso>& avvisi_scenario, sostituzione_insieme* insieme) {
  const nomi_documenti nomi = nomi_documenti_scenario(stato.nome_percorso, stato.nome_treno);
  righe_documenti righe;
  try {
    righe = componi_documenti(stato, o, percorrenza, avvisi_scenario);
  } catch (const std::length_error& e) {
    throw errore_file(nome_completo(cartella, nomi.rallentamenti), e.what());
  }
  // Both new, or both as they were. Every caller holds the folder's lock, so
  // a temporary of these names is one that a killed run left behind.
  elimina_temporanei_rimasti(cartella, {nomi.scheda, nomi.rallentamenti});
  const std::vector<std::string> file{nome_completo(cartella, nomi.scheda),
                                      nome_completo(cartella, nomi.rallentamenti)};
  sostituzione_insieme proprio;
  sostituzione_insieme& gruppo = insieme != nullptr ? *insieme : proprio;
  gruppo.prepara(file[0], testo_righe(righe.scheda));
  gruppo.prepara(file[1], testo_righe(righe.ordine));
  if (insieme == nullptr) proprio.installa();
  return file;
}

}  // namespace od
