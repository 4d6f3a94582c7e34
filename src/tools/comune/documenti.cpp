#include "tools/comune/documenti.h"

#include <fmt/format.h>
#include <fmt/ostream.h>

#include <filesystem>
#include <stdexcept>

#include "platform/cartella.h"
#include "platform/file_atomico.h"

namespace od {
namespace {

constexpr const char* opzioni_testata[] = {"--numero-treno", "--categoria", "--classificazione", "--massa",
                                           "--velocita-marcia"};

// Names on the command line are UTF-8 on every platform.
std::filesystem::path percorso_di(const std::string& testo) { return std::u8string(testo.begin(), testo.end()); }

}  // namespace

void aggiungi_opzioni_documenti(CLI::App& app, opzioni_documenti& o) {
  testata_documenti& t = o.testata;
  app.add_flag("--documenti", o.documenti,
               "scrive accanto ai file binari la scheda treno e l'ordine di rallentamento dello scenario")
      ->group("Documenti");
  app.add_option("--numero-treno", t.numero_treno, "numero del treno nella scheda e nell'ordine (per difetto vuoto)")
      ->type_name("NUMERO")
      ->group("Documenti");
  app.add_option("--categoria", t.categoria, "categoria nella testata della scheda, per esempio \"V140 C\"")
      ->type_name("TESTO")
      ->group("Documenti");
  app.add_option("--classificazione", t.classificazione, "classificazione del treno, per esempio REGIONALE")
      ->type_name("TESTO")
      ->group("Documenti");
  app.add_option("--massa", t.massa, "massa bloccata in tonnellate")
      ->type_name("T")
      ->check(CLI::Range(0, 999999))
      ->group("Documenti");
  app.add_option("--velocita-marcia", t.velocita_marcia, "velocita' di marcia in km/h, nella riga della prima stazione")
      ->type_name("KMH")
      ->check(CLI::Range(0, 9999))
      ->group("Documenti");
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
    if (std::filesystem::exists(percorso_di(f))) {
      return fmt::format("{}: esiste gia'; non lo sostituisco (--sovrascrivi per sostituirlo)", f);
    }
  }
  return {};
}

tempi_stazioni tempi_di_passaggio(const stato_scenario&) { return {}; }

std::vector<std::string> scrivi_documenti(const std::string& cartella, const stato_scenario& stato,
                                          const opzioni_documenti& o, std::string_view programma,
                                          std::ostream& diagnostica) {
  const nomi_documenti nomi = nomi_documenti_scenario(stato.nome_percorso, stato.nome_treno);
  avvisi_documenti avvisi;
  const lista_righe scheda = righe_scheda_scenario(stato, o.testata, tempi_di_passaggio(stato), avvisi);
  lista_righe ordine;
  try {
    ordine = righe_rallentamenti_scenario(stato, o.testata, avvisi);
  } catch (const std::length_error& e) {
    throw errore_file(nome_completo(cartella, nomi.rallentamenti), e.what());
  }
  for (const std::string& a : avvisi) fmt::print(diagnostica, "{}: avviso: {}\n", programma, a);
  scrivi_documenti_scenario(cartella, nomi, scheda, ordine);
  return {nome_completo(cartella, nomi.scheda), nome_completo(cartella, nomi.rallentamenti)};
}

}  // namespace od
