// The train of the carried scenario, as the train description file holds it.
//
// Four cars over the whole line, with timed stops at Pravesso, Lagorso and
// Campolustro. Each station the train is signalled into has a distant signal
// (left code 1) and a home signal (left code 2) 1000 to 1300 m apart ahead of
// its area; the home signal at 7850 m has its fourth approach mark on the
// warning cell of the first slowdown. Solivera's area begins exactly 350 m
// after Val Ciarese's ends, the least spacing the reader allows.
#include "scenario_text/scenario_dati.h"

namespace od {

constexpr std::array<std::string_view, righe_treno_carico> testo_treno_carico{{
    "[generale]",
    "numero vetture,    4",
    "percentuale massa frenata,    120",
    "sabbia,    300",
    "orologio,    10              2             30 ",
    "[aderenze]",
    "aderenza,   0,    100",
    "aderenza,    8600,    90",
    "aderenza,   15400,    80",
    "aderenza,   20400,    70",
    "aderenza,   71800,    80",
    "aderenza,   89000,    90",
    "aderenza,   93500,   100",
    "[vel_limite]",
    "velocita,       0,    80",
    "[stazioni]",
    "stazione,       0,  2,  600,  1, 1, 0,  4,1,0,  2,1,1,    1,  10, 3, 0, ORSELLA",
    "stazione,    8450, 22,  400,  0, 0, 0,  1,1,0,  2,1,0,    0,   0, 0, 0, VALDREZZA",
    "stazione,   10050, 28,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, FONTEBRISA",
    "stazione,   12950, 22,  300,  1, 0, 1,  1,0,0,  4,0,1,    0,   0, 0, 0, CASTELGRISO",
    "stazione,   19300, 22,  600,  0, 1, 0,  4,1,0,  2,1,1,    0,   0, 0, 0, MOLVERANO",
    "stazione,   28200, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,   60,  10,31, 0, PRAVESSO",
    "stazione,   38550, 22,  500,  1, 0, 0,  1,1,0,  2,1,0,    0,   0, 0, 0, BORGO TEVANO",
    "stazione,   46800, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,   60,  10,50, 0, LAGORSO",
    "stazione,   50650, 27,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, P.M. 54.250",
    "stazione,   54500, 22,  500,  0, 0, 1,  4,0,0,  2,0,1,    0,   0, 0, 0, ROCCAVELLO",
    "stazione,   67250, 22,  300,  1, 0, 0,  1,1,0,  2,1,1,  220,   0, 0, 0, TREMOSCA",
    "stazione,   74150, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,   60,  11,14, 0, CAMPOLUSTRO",
    "stazione,   78750, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, ALPE GRENNA",
    "stazione,   82800, 26,  200,  0, 0, 0,  1,0,0,  0,1,0,    0,   0, 0, 0, MISSALDO",
    "stazione,   83950, 28,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, VAL CIARESE",
    "stazione,   84500, 22,  200,  0, 0, 0,  1,1,0,  2,1,0,    0,   0, 0, 0, SOLIVERA",
    "stazione,   91000, 22,  300,  1, 0, 0,  4,1,0,  2,1,1,    0,   0, 0, 0, PONTE ARVELLO",
    "stazione,   95900,  2,  500,  1, 0, 0,  1,1,0,  2,1,1,    0,  11,33, 0, DRUMVANE",
    "[rallentamenti]",
    "rallentamento,    8650,    30,  150, 0,  1,  0",
    "rallentamento,   29050,    50,  500, 0,  0,  0",
    "rallentamento,   69200,    30,  300, 0,  1,  0",
    "rallentamento,   89950,    20,  150, 1,  1,  0",
    "[segnali]",
    "segnale,    6650,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,    7850,   2, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   10900,   1, 5, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   12100,   2, 4, 1,  0, 0,    0,  0,0,0, 220",
    "segnale,   17500,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   18600,   2, 3, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   26500,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   27700,   2, 2, 3,  0, 0,    0,  0,0,0, 230",
    "segnale,   36800,   1, 3, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   37900,   2, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   45000,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   46200,   2, 2, 3,  0, 0,    0,  0,0,0, 230",
    "segnale,   52900,   1, 5, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   53900,   2, 5, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   65500,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   66700,   2, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   72250,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   73450,   2, 2, 3,  1, 0,    0,  0,0,0, 240",
    "segnale,   84000,   2, 4, 1,  0, 0,    2,  2,1,0, 220",
    "segnale,   89250,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   90450,   2, 3, 4,  0, 0,    0,  0,0,0, 0",
    "segnale,   93700,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   95000,   2, 2, 3,  0, 0,    0,  0,0,0, 0",
    "[codici]",
    "[fine]",
}};

}  // namespace od
