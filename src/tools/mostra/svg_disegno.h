// A small SVG writer: shapes and texts appended in drawing order, styled by
// the classes of one stylesheet, wrapped into a document once the height is
// known. Texts are escaped for XML and turned into UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace od {

using punto = std::pair<double, double>;

// Names are 8-bit text, turned into UTF-8 (testo_utf8); XML's special
// characters become entities and control characters, which XML forbids,
// become "?".
std::string testo_xml(std::string_view testo);

class disegno {
 public:
  void linea(double x1, double y1, double x2, double y2, std::string_view classe);
  void polilinea(const std::vector<punto>& punti, std::string_view classe);
  void poligono(const std::vector<punto>& punti, std::string_view classe);
  void rettangolo(double x, double y, double larghezza, double altezza, std::string_view classe);
  void cerchio(double x, double y, double raggio, std::string_view classe);
  // `ancora` is "start", "middle" or "end".
  void testo(double x, double y, std::string_view t, std::string_view classe, std::string_view ancora = "start");
  void apri_gruppo(std::string_view id);
  void chiudi_gruppo();
  // Puts everything drawn in `sotto` beneath what is drawn here.
  void inserisci_sotto(const disegno& sotto) { corpo_ = sotto.corpo_ + corpo_; }

  // The whole document, `foglio` being the stylesheet.
  std::string documento(double larghezza, double altezza, std::string_view titolo, std::string_view foglio) const;

 private:
  std::string corpo_;
};

}  // namespace od
