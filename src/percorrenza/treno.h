// The train that the running-time calculation assumes: constant rates of
// acceleration and braking, a top speed and the length of one car.
#pragma once

namespace od {

struct treno_percorrenza {
  double accelerazione = 0.5;       // m/s² on level track
  double frenatura = 0.5;           // m/s² on level track, a service brake
  double velocita_massima = 140;    // km/h; 0 or less: no limit of the train's own
  double lunghezza_vettura = 26.4;  // metres per car
};

// What the tools ask of the calculation: the train, and the smallest margin
// a section may have without a warning.
struct opzioni_orario {
  treno_percorrenza treno;
  double margine_minimo = 3;  // percent of a section's minimum running time
};

// Gravity used for the gradient correction, m/s².
inline constexpr double gravita = 9.81;
// No rate falls below this, however steep the gradient: the train can always
// start and always stop.
inline constexpr double tasso_minimo = 0.05;

}  // namespace od
