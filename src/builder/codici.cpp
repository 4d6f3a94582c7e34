#include "builder/codici.h"

namespace od {
namespace {

constexpr descrizione_codice tabella_codici[] = {
#define OD_CODICE(nome, numero, con_posizione, significato) {numero, con_posizione, significato},
#include "builder/codici.def"
#undef OD_CODICE
};

}  // namespace

std::span<const descrizione_codice> tutti_i_codici() { return tabella_codici; }

std::string testo_posizione(int64_t posizione, int64_t cella) {
  return "posizione " + std::to_string(posizione) + " m, cella " + std::to_string(cella);
}

const descrizione_codice* descrivi_codice(int32_t codice) {
  for (const descrizione_codice& d : tabella_codici) {
    if (d.codice == codice) return &d;
  }
  return nullptr;
}

}  // namespace od
