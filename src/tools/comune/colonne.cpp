#include "tools/comune/colonne.h"

#include <algorithm>

namespace od {

std::string riga_generale(const std::string& chiave, const std::vector<std::string>& campi) {
  std::string t = chiave;
  for (const std::string& campo : campi) t += ",    " + campo;
  return t;
}

std::vector<std::size_t> larghezze_colonne(const std::vector<std::vector<std::string>>& righe) {
  std::vector<std::size_t> l;
  for (const std::vector<std::string>& campi : righe) {
    if (l.size() < campi.size()) l.resize(campi.size(), 0);
    for (std::size_t n = 0; n < campi.size(); ++n) l[n] = std::max(l[n], campi[n].size());
  }
  return l;
}

std::string riga_allineata(const std::string& chiave, const std::vector<std::string>& campi,
                           const std::vector<std::size_t>& larghezze, bool ultimo_testo) {
  std::string t = chiave + ",";
  for (std::size_t n = 0; n < campi.size(); ++n) {
    const std::string& campo = campi[n];
    if (n > 0) t += ",";
    const bool testo = ultimo_testo && n + 1 == campi.size();
    const std::size_t l = n < larghezze.size() ? std::max(larghezze[n], campo.size()) : campo.size();
    t += testo ? "   " : std::string(2 + l - campo.size(), ' ');
    t += campo;
  }
  return t;
}

}  // namespace od
