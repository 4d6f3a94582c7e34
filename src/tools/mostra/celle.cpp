#include "tools/mostra/celle.h"

#include <fmt/format.h>
#include <fmt/ostream.h>

#include <charconv>
#include <iterator>

#include "elementi/elementi.h"
#include "elementi/tipi_oggetto.h"
#include "modello/campi.h"

namespace od {
namespace {

std::optional<int32_t> numero(std::string_view testo) {
  int32_t n = 0;
  const auto [fine, esito] = std::from_chars(testo.data(), testo.data() + testo.size(), n);
  if (esito != std::errc{} || fine != testo.data() + testo.size() || testo.empty()) return std::nullopt;
  return n;
}

}  // namespace

std::optional<intervallo_celle> leggi_intervallo(std::string_view testo, int32_t ultima_cella, std::string& errore) {
  const std::size_t trattino = testo.find('-');
  const std::optional<int32_t> da = numero(testo.substr(0, trattino));
  const std::optional<int32_t> a = trattino == std::string_view::npos ? da : numero(testo.substr(trattino + 1));
  if (!da || !a) {
    errore = fmt::format("intervallo di celle \"{}\" non valido: si scrive DA-A, per esempio 240-250", testo);
    return std::nullopt;
  }
  if (*da > *a) {
    errore = fmt::format("intervallo di celle \"{}\": la prima cella viene dopo l'ultima", testo);
    return std::nullopt;
  }
  if (*da < 0 || *a > ultima_cella) {
    errore = fmt::format("intervallo di celle \"{}\" fuori dal binario, che ha le celle 0-{}", testo, ultima_cella);
    return std::nullopt;
  }
  return intervallo_celle{*da, *a};
}

std::string testo_cella(int32_t indice, const cella& c) {
  std::string testo = fmt::format("cella {} da {} m:", indice, inizio_cella(indice));
  per_ogni_campo(c, [&](std::string_view nome, const auto& campo) {
    fmt::format_to(std::back_inserter(testo), " {}={}", nome, campo);
    if (nome == "oggetto") {
      const std::string_view nome_o = nome_oggetto(c.oggetto);
      fmt::format_to(std::back_inserter(testo), " ({})", nome_o.empty() ? "sconosciuto" : nome_o);
    }
  });
  return testo;
}

void scrivi_celle(const scenario& stato, intervallo_celle intervallo, std::ostream& uscita) {
  for (int32_t c = intervallo.da; c <= intervallo.a; ++c) {
    fmt::print(uscita, "{}\n", testo_cella(c, stato.binario[static_cast<std::size_t>(c)]));
  }
}

}  // namespace od
