// From a decoded scenario model to the rows of its two description files:
// every value that the binary files hold becomes the record that the reader
// turns into it, and where several records give the same bytes, the fewest
// and shortest are chosen (a running value as its changes only, a packed
// value split into its smallest parts).
#pragma once

#include <string>
#include <vector>

#include "modello/modello.h"
#include "tools/decompila/descrizione.h"

namespace od {

// General values, curves (from the plan, when there is one), gradients,
// mountain runs, boards and signs.
descrizione_file descrivi_linea(const scenario& s);

// One line for each thing in the model that no text read without an error
// produces, and why; empty when there is none.
std::vector<std::string> senza_testo(const scenario& s);

// The curve rows that bend the plan as it is stored: one row per stretch of
// rows turned by the same curvature.
std::vector<riga_descrizione> descrivi_curve(const planimetria& p);

// Train values, adhesion, speed limit, stations, slowdowns, signals, and the
// given reduction records.
descrizione_file descrivi_treno(const scenario& s, const std::vector<riga_descrizione>& abbattimenti);

// A reduction record that puts `c` back into cell `indice`.
riga_descrizione riga_abbattimento(int32_t indice, const cella& c);

// A text field cannot hold a comma or a line end, nor begin or end with
// blanks: the reader would cut it there or lose them. The nearest text that
// it can hold; the text itself when it can.
std::string testo_leggibile(const std::string& t);

}  // namespace od
