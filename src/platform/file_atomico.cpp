#include "platform/file_atomico.h"

namespace od {

errore_file::errore_file(std::string percorso, std::string motivo)
    : std::runtime_error(percorso + ": " + motivo), percorso_(std::move(percorso)), motivo_(std::move(motivo)) {}

}  // namespace od
