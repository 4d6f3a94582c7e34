#include "rilettura/danni.h"

#include <fmt/format.h>
#include <fmt/ostream.h>

#include "platform/cartella.h"

namespace od {

std::string testo_danno(const danno& d) { return fmt::format("{}: byte {}: {}", d.file, d.byte, d.motivo); }

void scrivi_danni(const std::vector<danno>& danni, const std::string& cartella, std::ostream& uscita) {
  for (const danno& d : danni) {
    fmt::print(uscita, "{}\n", testo_danno({nome_completo(cartella, d.file), d.byte, d.motivo}));
  }
}

file_danneggiato::file_danneggiato(danno d) : std::runtime_error(testo_danno(d)), danno_(std::move(d)) {}

}  // namespace od
