#include "tools/decompila/lettura_piano.h"

#include "output/file_binari.h"
#include "platform/cartella.h"
#include "platform/file_atomico.h"

namespace od {

scenario_letto leggi_da_decompilare(const std::string& cartella, const std::string& percorso, const std::string& treno,
                                    immagini_binarie& immagini) {
  immagini = leggi_immagini(cartella, percorso, treno, false);
  const std::string file_piano = nome_completo(cartella, nomi_file_binari(percorso, treno).planimetria);
  if (!esiste_voce(file_piano)) return decodifica_scenario(percorso, treno, immagini);
  if (std::optional<piano_letto> letto = piano_di_curve(file_piano)) {
    immagini.file_planimetria = file_piano;
    return decodifica_scenario(percorso, treno, immagini, std::move(letto->piano), letto->byte);
  }
  immagini = leggi_immagini(cartella, percorso, treno);
  return decodifica_scenario(percorso, treno, immagini);
}

}  // namespace od
