// The rules that the carried scenario keeps, as checks over the rows of the
// written files. Each check returns the rules that the rows break, one
// message each, so that a test can both demand none for the carried rows and
// show that a spoilt copy is caught.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace od::test {

using righe = std::vector<std::string>;
using violazioni = std::vector<std::string>;

// The lines of a text file. Every line must end with CR LF; a bare CR or LF,
// or bytes after the last CR LF, is reported in `difetti`.
struct testo_diviso {
  righe linee;
  violazioni difetti;
};
testo_diviso dividi_crlf(const std::string& testo);

// The rows after the header line up to the next header (a line starting
// with "["); empty when the header is missing.
righe sezione(const righe& file, std::string_view intestazione);

// The station area as the train reader works it out.
struct area_stazione {
  int32_t inizio = 0;
  int32_t fine = 0;
};

violazioni regole_curve(const righe& curve);
// `pendenze` starts with the comment row.
violazioni regole_pendenze(const righe& pendenze);
violazioni regole_montagne(const righe& montagne);
violazioni regole_indicazioni(const righe& indicazioni, const righe& curve);
violazioni regole_stazioni(const righe& stazioni);
violazioni regole_segnali(const righe& segnali, const righe& stazioni);

// The areas of the station rows that parse, in order.
std::vector<area_stazione> aree_stazioni(const righe& stazioni);

// Both description files as the writers leave them in a fresh folder, read
// back as text and split into lines.
struct scenario_scritto {
  std::string testo_linea;
  std::string testo_treno;
  testo_diviso linea;
  testo_diviso treno;
};
scenario_scritto scrivi_e_rileggi();

// True when one of the messages mentions `parola`.
bool cita(const violazioni& v, std::string_view parola);

}  // namespace od::test
