// The simulator's three files as byte images of the model's arrays: no
// header, no count, no padding, fields in model order.
#pragma once

#include <functional>
#include <string_view>

#include "modello/modello.h"
#include "output/codifica.h"
#include "platform/file_atomico.h"

namespace od {

// Each record field by field, as modello/campi.h lists them (sizes and
// offsets in output/disposizione.h).
void scrivi(const cella& c, buffer& b);
void scrivi(const voce& v, buffer& b);

// Column 0 of every row, then column 1, one plan element per row
// (output/elemento_planimetria.h).
buffer immagine_planimetria(const planimetria& p);
// The same bytes, handed over in blocks.
void scrivi_planimetria(const planimetria& p, const std::function<void(std::string_view)>& uscita);
buffer immagine_tabella(const scenario& stato);
buffer immagine_binario(const scenario& stato);

struct nomi_binari {
  std::string planimetria;  // route + "_linea.dat"
  std::string tabella;      // route + "_" + train + ".sim"
  std::string binario;      // route + "_" + train + ".dat"
};
nomi_binari nomi_file_binari(const std::string& nome_percorso, const std::string& nome_treno);

// Replaces the files in `cartella`, plan geometry (only with the geometry
// flag), item table and track cells, together (see sostituzione_insieme).
// Throws errore_file.
void scrivi_file_binari(const scenario& stato, const std::string& cartella,
                        chiamate_file& chiamate = chiamate_di_sistema(), sincronia sincronia = sincronia::completa);
// The same files prepared in `insieme`, for a caller that replaces them with
// others as one set.
void prepara_file_binari(const scenario& stato, const std::string& cartella, sostituzione_insieme& insieme);

}  // namespace od
