#include "rilettura/danni.h"

#include <fmt/format.h>

namespace od {

std::string testo_danno(const danno& d) { return fmt::format("{}: byte {}: {}", d.file, d.byte, d.motivo); }

file_danneggiato::file_danneggiato(danno d) : std::runtime_error(testo_danno(d)), danno_(std::move(d)) {}

}  // namespace od
