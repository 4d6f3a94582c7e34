#include "tools/servizio/cornice.h"

#include <charconv>

namespace od {
namespace {

constexpr std::string_view fine_intestazione = "\r\n\r\n";
constexpr std::string_view chiave_lunghezza = "content-length:";

char minuscola(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool comincia_con_senza_maiuscole(std::string_view testo, std::string_view prefisso) {
  if (testo.size() < prefisso.size()) return false;
  for (std::size_t i = 0; i < prefisso.size(); ++i) {
    if (minuscola(testo[i]) != prefisso[i]) return false;
  }
  return true;
}

// The value of Content-Length among the header lines, if one is there and is
// a whole number.
std::optional<std::size_t> lunghezza_dichiarata(std::string_view intestazioni) {
  while (!intestazioni.empty()) {
    const std::size_t a_capo = intestazioni.find("\r\n");
    std::string_view riga = intestazioni.substr(0, a_capo);
    intestazioni = a_capo == std::string_view::npos ? std::string_view{} : intestazioni.substr(a_capo + 2);
    if (!comincia_con_senza_maiuscole(riga, chiave_lunghezza)) continue;
    riga.remove_prefix(chiave_lunghezza.size());
    while (!riga.empty() && riga.front() == ' ') riga.remove_prefix(1);
    while (!riga.empty() && riga.back() == ' ') riga.remove_suffix(1);
    std::size_t n = 0;
    const auto [fine, errore] = std::from_chars(riga.data(), riga.data() + riga.size(), n);
    if (errore != std::errc{} || fine != riga.data() + riga.size() || riga.empty()) return std::nullopt;
    return n;
  }
  return std::nullopt;
}

}  // namespace

void cornice::aggiungi(std::string_view byte) {
  if (da_saltare_ > 0) {
    const std::size_t saltati = std::min(da_saltare_, byte.size());
    da_saltare_ -= saltati;
    byte.remove_prefix(saltati);
  }
  // What has been used is dropped before the buffer grows, so that it holds
  // one message at a time however long the session.
  if (inizio_ > 0) {
    attesi_.erase(0, inizio_);
    inizio_ = 0;
  }
  attesi_.append(byte);
}

std::optional<pezzo_cornice> cornice::leggi_intestazione() {
  const std::string_view resto = std::string_view(attesi_).substr(inizio_);
  const std::size_t fine = resto.find(fine_intestazione);
  if (fine == std::string_view::npos) {
    // A header block never runs this long: what came is not the protocol.
    if (resto.size() > 64 * 1024) {
      inizio_ = attesi_.size();
      return pezzo_cornice{tipo_pezzo::intestazione_rotta, "intestazione senza fine"};
    }
    return std::nullopt;
  }
  const std::optional<std::size_t> n = lunghezza_dichiarata(resto.substr(0, fine + 2));
  inizio_ += fine + fine_intestazione.size();
  if (!n) return pezzo_cornice{tipo_pezzo::intestazione_rotta, "intestazione senza Content-Length valido"};
  if (*n > massimo_) {
    // Skip what of the body is here, and the rest as it comes.
    const std::size_t qui = std::min(*n, attesi_.size() - inizio_);
    inizio_ += qui;
    da_saltare_ = *n - qui;
    return pezzo_cornice{tipo_pezzo::troppo_grande, "messaggio di " + std::to_string(*n) +
                                                        " byte, oltre il limite di " + std::to_string(massimo_)};
  }
  lunghezza_ = *n;
  return std::nullopt;
}

std::optional<pezzo_cornice> cornice::prossimo() {
  if (da_saltare_ > 0) return std::nullopt;
  if (!lunghezza_) {
    if (std::optional<pezzo_cornice> p = leggi_intestazione()) return p;
    if (!lunghezza_) return std::nullopt;
  }
  if (attesi_.size() - inizio_ < *lunghezza_) return std::nullopt;
  pezzo_cornice p{tipo_pezzo::messaggio, attesi_.substr(inizio_, *lunghezza_)};
  inizio_ += *lunghezza_;
  lunghezza_.reset();
  return p;
}

std::string incornicia(std::string_view corpo) {
  std::string testo = "Content-Length: " + std::to_string(corpo.size()) + "\r\n\r\n";
  testo.append(corpo);
  return testo;
}

}  // namespace od
