// The parts of the picture, each drawn from a top edge downward and
// returning the edge below it; shared by the files that draw them.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "elementi/elementi.h"
#include "modello/modello.h"
#include "percorrenza/orario.h"
#include "tools/mostra/svg_disegno.h"

namespace od::svg {

inline constexpr double corpo_etichetta = 11;       // px
inline constexpr double altezza_intestazione = 18;  // a panel's title strip

// Metres along the line to pixels across the page.
struct asse_linea {
  double x0 = 0;
  double larghezza = 0;
  double metri = 1;
  // Positions off the axis (a first station's area begins before 0 m) are
  // drawn at its ends.
  double x(double m) const { return x0 + std::clamp(m, 0.0, metri) / metri * larghezza; }
  double destra() const { return x0 + larghezza; }
};

struct contesto {
  disegno& d;
  const scenario& stato;
  const elementi_linea& e;
  asse_linea asse;
};

// A panel over the common axis whose vertical scale runs from `basso` to `alto`.
struct pannello {
  contesto& c;
  double y = 0, altezza = 0, basso = 0, alto = 1;
  double yv(double v) const { return y + altezza - (v - basso) / (alto - basso) * altezza; }
  // The frame, and `tacche` labelled steps of the scale with grid lines.
  void cornice_e_tacche(const char* unita, int tacche = 4);
};

// A step of 1, 2 or 5 times a power of ten that splits `ampiezza` into at
// most `quante` parts.
double passo_tondo(double ampiezza, int quante);

// The title strip of a panel, left-aligned over the common axis.
void intestazione(contesto& c, double y, const std::string& titolo);

double disegna_piano(contesto& c, double y, double altezza);
double disegna_valori(contesto& c, double y);
double disegna_corsie(contesto& c, double y);
// The permitted speed and the fastest run, the stops, and the posted
// kilometric progressive under them.
double disegna_marcia(contesto& c, const tabella_orario& orario, double y);
// Kilometre labels under the common axis; vertical grid lines go into `griglia`.
double disegna_asse_km(contesto& c, double y);
void disegna_griglia(contesto& c, disegno& griglia, double da_y, double a_y);

}  // namespace od::svg
