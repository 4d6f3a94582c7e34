#include "scenario_text/flusso_campi.h"

namespace od {

flusso_campi::flusso_campi(std::string testo)
    : condiviso_(std::make_shared<const std::string>(std::move(testo))), testo_(*condiviso_) {
  fine_contenuto_ = testo_.size();
  while (fine_contenuto_ > 0) {
    const char c = testo_[fine_contenuto_ - 1];
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') break;
    --fine_contenuto_;
  }
}

void flusso_campi::salta_blank() {
  while (blank(pos_)) ++pos_;
}

void flusso_campi::consuma_fine_linea() {
  if (testo_[pos_] == '\r' && pos_ + 1 < testo_.size() && testo_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++linea_;
  inizio_linea_ = pos_;
  a_inizio_linea_ = true;
}

void flusso_campi::inizia_campo() {
  if (fine()) fallisci(std::string(messaggio_fine_file));
  salta_blank();
  while (a_inizio_linea_ && fine_linea(pos_)) {
    consuma_fine_linea();
    salta_blank();
  }
  a_inizio_linea_ = false;
  linea_campo_ = linea_;
  colonna_campo_ = static_cast<int32_t>(pos_ - inizio_linea_) + 1;
  inizio_linea_campo_ = inizio_linea_;
}

void flusso_campi::chiudi_campo() {
  if (pos_ >= testo_.size()) return;
  if (testo_[pos_] == ',') {
    ++pos_;
  } else if (fine_linea(pos_)) {
    consuma_fine_linea();
  }
}

void flusso_campi::fallisci(const std::string& motivo) const {
  throw errore_lettura(motivo, linea_campo_ != 0 ? linea_campo_ : linea_, colonna_campo_ != 0 ? colonna_campo_ : 1);
}

std::string flusso_campi::leggi_testo() {
  std::string campo;
  leggi_testo(campo);
  return campo;
}

void flusso_campi::leggi_testo(std::string& campo) {
  inizia_campo();
  const std::size_t inizio = pos_;
  while (pos_ < testo_.size() && testo_[pos_] != ',' && !fine_linea(pos_)) ++pos_;
  std::size_t fine_campo = pos_;
  while (fine_campo > inizio && (testo_[fine_campo - 1] == ' ' || testo_[fine_campo - 1] == '\t')) --fine_campo;
  campo.assign(testo_.substr(inizio, fine_campo - inizio));
  chiudi_campo();
}

int32_t flusso_campi::leggi_numero() {
  inizia_campo();
  const bool chiuso_subito = pos_ >= testo_.size() || testo_[pos_] == ',' || fine_linea(pos_);
  if (chiuso_subito) {  // a field of blanks only
    chiudi_campo();
    return 0;
  }
  bool negativo = false;
  if (testo_[pos_] == '-') {
    negativo = true;
    ++pos_;
  }
  int64_t valore = 0;
  std::size_t cifre = 0;
  while (pos_ < testo_.size() && testo_[pos_] >= '0' && testo_[pos_] <= '9') {
    valore = valore * 10 + (testo_[pos_] - '0');
    if (valore > 2147483648LL) fallisci("numero oltre i 32 bit");
    ++pos_;
    ++cifre;
  }
  if (cifre == 0) fallisci("atteso un numero intero");
  const bool dopo_valido = pos_ >= testo_.size() || blank(pos_) || testo_[pos_] == ',' || fine_linea(pos_);
  if (!dopo_valido) fallisci("atteso un numero intero");
  if (negativo) valore = -valore;
  if (valore > INT32_MAX) fallisci("numero oltre i 32 bit");
  salta_blank();
  if (pos_ >= testo_.size() || testo_[pos_] == ',' || fine_linea(pos_)) chiudi_campo();
  return static_cast<int32_t>(valore);
}

int32_t flusso_campi::leggi_numero(int32_t minimo, int32_t massimo) {
  const int32_t valore = leggi_numero();
  if (valore < minimo || valore > massimo) {
    fallisci("valore " + std::to_string(valore) + " fuori dall'intervallo " + std::to_string(minimo) + ".." +
             std::to_string(massimo));
  }
  return valore;
}

std::string_view flusso_campi::testo_linea(int32_t linea) const {
  std::size_t pos = 0;
  for (int32_t n = 1; n < linea && pos < testo_.size(); ++n) {
    while (pos < testo_.size() && testo_[pos] != '\r' && testo_[pos] != '\n') ++pos;
    if (pos < testo_.size() && testo_[pos] == '\r' && pos + 1 < testo_.size() && testo_[pos + 1] == '\n') ++pos;
    if (pos < testo_.size()) ++pos;
  }
  std::size_t fine_l = pos;
  while (fine_l < testo_.size() && testo_[fine_l] != '\r' && testo_[fine_l] != '\n') ++fine_l;
  return testo_.substr(pos, fine_l - pos);
}

std::string_view flusso_campi::testo_linea_campo() const {
  if (linea_nota_ != inizio_linea_campo_) {
    std::size_t fine_l = inizio_linea_campo_;
    while (fine_l < testo_.size() && testo_[fine_l] != '\r' && testo_[fine_l] != '\n') ++fine_l;
    linea_nota_ = inizio_linea_campo_;
    fine_linea_nota_ = fine_l;
  }
  return testo_.substr(inizio_linea_campo_, fine_linea_nota_ - inizio_linea_campo_);
}

bool contiene(std::string_view testo, std::string_view parola) { return testo.find(parola) != std::string_view::npos; }

namespace {

char minuscola(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char maiuscola(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool uguali_senza_maiuscole(std::string_view a, std::string_view b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (minuscola(a[i]) != minuscola(b[i])) return false;
  }
  return true;
}

}  // namespace

// Every key field is tested against a dozen words: the places where the
// word's first letter stands, in either case, are found with the library's
// character search, and only there is the rest compared.
bool contiene_senza_maiuscole(std::string_view testo, std::string_view parola) {
  if (parola.empty()) return true;
  if (testo.size() < parola.size()) return false;
  const std::size_t ultimo_inizio = testo.size() - parola.size();
  for (const char prima : {minuscola(parola[0]), maiuscola(parola[0])}) {
    for (std::size_t i = testo.find(prima); i != std::string_view::npos && i <= ultimo_inizio;
         i = testo.find(prima, i + 1)) {
      if (uguali_senza_maiuscole(testo.substr(i + 1, parola.size() - 1), parola.substr(1))) return true;
    }
    if (minuscola(parola[0]) == maiuscola(parola[0])) break;
  }
  return false;
}

}  // namespace od
