#include "tools/decompila/descrizione.h"

#include "scenario_text/schema.h"
#include "tools/comune/colonne.h"

namespace od {
namespace {

void aggiungi_riga(std::string& testo, const std::string& riga) {
  testo += riga;
  testo += "\r\n";
}

// Width of every column of a section, the key counting as column 0.
std::vector<std::size_t> larghezze(const sezione_descrizione& s) {
  std::vector<std::vector<std::string>> righe;
  for (const riga_descrizione& r : s.righe) righe.push_back(r.campi);
  return larghezze_colonne(righe);
}

// The kind of record that a row's key starts.
const record_schema* record_della_riga(const riga_descrizione& r) {
  for (const record_schema& k : schema_record()) {
    if (k.riconosce(r.chiave)) return &k;
  }
  return nullptr;
}

// The comment above each kind of record, naming its columns: one field that
// holds a "-", which both readers pass over (never two in a row here), and
// no comma, which would end it and make the rest a key.
std::string riga_colonne(const record_schema& k) {
  std::string t = "-- " + std::string(k.nome) + ":";
  for (std::size_t n = 0; n < k.campi.size(); ++n) t += (n == 0 ? " " : " | ") + std::string(k.campi[n].nome);
  return t;
}

}  // namespace

std::string testo_descrizione(const descrizione_file& d) {
  std::string testo;
  for (const sezione_descrizione& s : d.sezioni) {
    aggiungi_riga(testo, s.intestazione);
    const std::vector<std::size_t> l = larghezze(s);
    std::string_view tipo_precedente;
    for (const riga_descrizione& r : s.righe) {
      const record_schema* k = record_della_riga(r);
      if (k != nullptr && k->nome != tipo_precedente) aggiungi_riga(testo, riga_colonne(*k));
      tipo_precedente = k != nullptr ? k->nome : std::string_view{};
      aggiungi_riga(
          testo, s.allineata ? riga_allineata(r.chiave, r.campi, l, r.ultimo_testo) : riga_generale(r.chiave, r.campi));
    }
  }
  aggiungi_riga(testo, "[fine]");
  return testo;
}

riga_descrizione riga_numeri(tipo_record tipo, std::initializer_list<int64_t> numeri) {
  return riga_numeri(std::string(record_di(tipo).scritta), numeri);
}

riga_descrizione riga_numeri(std::string chiave, std::initializer_list<int64_t> numeri) {
  riga_descrizione r{std::move(chiave), {}, false};
  for (const int64_t n : numeri) r.campi.push_back(std::to_string(n));
  return r;
}

}  // namespace od
