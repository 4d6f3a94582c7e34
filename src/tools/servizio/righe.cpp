#include "tools/servizio/righe.h"

namespace od {
namespace {

bool contiene_generale(std::string_view campo) {
  constexpr std::string_view parola = "[generale]";
  for (std::size_t i = 0; i + parola.size() <= campo.size(); ++i) {
    bool uguale = true;
    for (std::size_t j = 0; j < parola.size() && uguale; ++j) {
      const char c = campo[i + j];
      uguale = (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) == parola[j];
    }
    if (uguale) return true;
  }
  return false;
}

}  // namespace

std::vector<std::string_view> righe_del_testo(std::string_view testo) {
  std::vector<std::string_view> righe;
  while (!testo.empty()) {
    const std::size_t a_capo = testo.find('\n');
    std::string_view riga = testo.substr(0, a_capo);
    if (riga.ends_with('\r')) riga.remove_suffix(1);
    righe.push_back(riga);
    if (a_capo == std::string_view::npos) break;
    testo.remove_prefix(a_capo + 1);
  }
  return righe;
}

std::vector<campo_testo> campi_della_riga(std::string_view riga) {
  std::vector<campo_testo> campi;
  std::size_t inizio = 0;
  while (true) {
    std::size_t fine = riga.find(',', inizio);
    if (fine == std::string_view::npos) fine = riga.size();
    std::size_t a = inizio;
    std::size_t b = fine;
    while (a < b && (riga[a] == ' ' || riga[a] == '\t')) ++a;
    while (b > a && (riga[b - 1] == ' ' || riga[b - 1] == '\t')) --b;
    campi.push_back({riga.substr(a, b - a), a, b});
    if (fine == riga.size()) break;
    inizio = fine + 1;
  }
  return campi;
}

bool riga_intestazione(std::string_view campo) {
  return campo.find('[') != std::string_view::npos && campo.find(']') != std::string_view::npos &&
         !campo.starts_with('-');
}

parte_file parte_della_riga(const std::vector<std::string_view>& righe, std::size_t n, bool file_linea) {
  if (!file_linea) return parte_file::treno;
  bool in_generale = false;
  for (std::size_t i = 0; i < n && i < righe.size(); ++i) {
    const std::string_view campo = campi_della_riga(righe[i]).front().testo;
    if (!in_generale && contiene_generale(campo)) {
      in_generale = true;
    } else if (in_generale && riga_intestazione(campo)) {
      return parte_file::linea_corpo;
    }
  }
  return parte_file::linea_generale;
}

}  // namespace od
