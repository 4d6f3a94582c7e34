// The scenario notes: what the author tells the driver about the line, how it
// was modelled and what the run asks of him. The paragraphs are carried
// already wrapped, each line within the width of a plain-text reader; a
// paragraph's first line opens with " - " and its other lines with three
// blanks, so that the text of every line starts in the same column.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "documents/documenti.h"
#include "scenario_text/nomi_file.h"

namespace od {
namespace {

// ---- Constant text -------------------------------------------------------

constexpr std::string_view titolo = "              Treno 40318 sul percorso Orsella - Drumvane";
constexpr std::string_view intestazione = " Note sullo scenario:";

constexpr std::array<std::string_view, 24> paragrafi{
    // The line itself.
    " - La Orsella - Drumvane e' una linea di montagna a semplice binario,",
    "   elettrificata a corrente continua e percorsa di solito da treni",
    "   regionali di automotrici, con qualche raro treno merci.",
    // The helical loops.
    " - I quattro anelli elicoidali con cui la linea supera i forti dislivelli",
    "   sono stati riprodotti modificando il raggio di alcune curve, cercando",
    "   di conservare il massimo realismo possibile.",
    // The hidden halt.
    " - La fermata di Fontebrisa, stretta fra due gallerie, e' poco visibile e",
    "   non e' preannunciata: prestare attenzione nell'avvicinarsi.",
    // The two changes of progressive.
    " - La progressiva chilometrica cambia due volte. A Valdrezza riprende i",
    "   valori del vecchio tracciato, che passava per un paese oggi scomparso;",
    "   piu' avanti, dopo Alpe Grenna, e' contata a partire da Drumvane e",
    "   quindi decresce fino allo zero della stazione di arrivo.",
    // The rockfall stretches left out.
    " - A differenza degli scenari che percorrono la linea in senso inverso,",
    "   mancano i tratti limitati a 40 km/h per caduta massi: rendevano",
    "   impossibile rispettare l'orario. Si suppone che siano stati tolti dopo",
    "   le riprese del filmato di riferimento.",
    // The sources.
    " - Le fonti sono le carte topografiche in scala 1:25000 e le videocassette",
    "   girate dalla cabina di guida lungo tutta la linea. Per questo le",
    "   progressive chilometriche delle stazioni possono differire di poco da",
    "   quelle reali.",
    // This train and its goal.
    " - Rispetto al treno 40326, il 40318 ferma solo nelle stazioni principali,",
    "   ma incontra situazioni particolari: rallentamenti e segnali disposti a",
    "   via impedita. Lo scopo e' arrivare a Drumvane con il minor ritardo",
    "   possibile: un ritardo di 15 minuti e' gia' un buon risultato.",
};

// The scenario is signed by its authoring team, reachable at a mailbox kept
// for the scenarios.
constexpr std::string_view autori = " Autori: gruppo scenari Orsella - Drumvane";
constexpr std::string_view contatti = " Contatti: scenari@example.org";

}  // namespace

lista_righe righe_note() {
  std::vector<std::string_view> righe{titolo, "", intestazione, ""};
  righe.insert(righe.end(), paragrafi.begin(), paragrafi.end());
  righe.insert(righe.end(), {"", autori, contatti});
  return lista_righe::da(righe);
}

void dati_note(const std::string& cartella, const std::string& nome_percorso, const std::string& nome_treno,
               chiamate_file& chiamate, sincronia sincronia) {
  scrivi_righe(cartella, nome_file_documento(nome_percorso, nome_treno, "note"), righe_note(), chiamate, sincronia);
}

void prepara_note(sostituzione_insieme& insieme, const std::string& cartella, const std::string& nome_percorso,
                  const std::string& nome_treno) {
  prepara_righe(insieme, cartella, nome_file_documento(nome_percorso, nome_treno, "note"), righe_note());
}

}  // namespace od
