#include "tools/mostra/svg_disegno.h"

#include <fmt/format.h>

#include "tools/comune/testo_utf8.h"

namespace od {
namespace {

std::string numero(double v) { return fmt::format("{:.1f}", v); }

std::string punti_testo(const std::vector<punto>& punti) {
  std::string t;
  for (const auto& [x, y] : punti) {
    if (!t.empty()) t += ' ';
    t += numero(x) + ',' + numero(y);
  }
  return t;
}

}  // namespace

std::string testo_xml(std::string_view testo) {
  const std::string u = testo_utf8(testo);
  std::string x;
  for (const char c : u) {
    switch (c) {
      case '&':
        x += "&amp;";
        break;
      case '<':
        x += "&lt;";
        break;
      case '>':
        x += "&gt;";
        break;
      case '"':
        x += "&quot;";
        break;
      case '\'':
        x += "&apos;";
        break;
      default:
        x += static_cast<unsigned char>(c) < 0x20 && c != '\t' ? '?' : c;
    }
  }
  return x;
}

void disegno::linea(double x1, double y1, double x2, double y2, std::string_view classe) {
  corpo_ += fmt::format("<line x1=\"{}\" y1=\"{}\" x2=\"{}\" y2=\"{}\" class=\"{}\"/>\n", numero(x1), numero(y1),
                        numero(x2), numero(y2), classe);
}

void disegno::polilinea(const std::vector<punto>& punti, std::string_view classe) {
  if (punti.size() < 2) return;
  corpo_ += fmt::format("<polyline points=\"{}\" class=\"{}\"/>\n", punti_testo(punti), classe);
}

void disegno::poligono(const std::vector<punto>& punti, std::string_view classe) {
  if (punti.size() < 3) return;
  corpo_ += fmt::format("<polygon points=\"{}\" class=\"{}\"/>\n", punti_testo(punti), classe);
}

void disegno::rettangolo(double x, double y, double larghezza, double altezza, std::string_view classe) {
  corpo_ += fmt::format("<rect x=\"{}\" y=\"{}\" width=\"{}\" height=\"{}\" class=\"{}\"/>\n", numero(x), numero(y),
                        numero(std::max(larghezza, 0.0)), numero(std::max(altezza, 0.0)), classe);
}

void disegno::cerchio(double x, double y, double raggio, std::string_view classe) {
  corpo_ += fmt::format("<circle cx=\"{}\" cy=\"{}\" r=\"{}\" class=\"{}\"/>\n", numero(x), numero(y), numero(raggio),
                        classe);
}

void disegno::testo(double x, double y, std::string_view t, std::string_view classe, std::string_view ancora) {
  corpo_ += fmt::format("<text x=\"{}\" y=\"{}\" class=\"{}\" text-anchor=\"{}\">{}</text>\n", numero(x), numero(y),
                        classe, ancora, testo_xml(t));
}

void disegno::apri_gruppo(std::string_view id) { corpo_ += fmt::format("<g id=\"{}\">\n", id); }
void disegno::chiudi_gruppo() { corpo_ += "</g>\n"; }

std::string disegno::documento(double larghezza, double altezza, std::string_view titolo,
                               std::string_view foglio) const {
  return fmt::format(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"{0}\" height=\"{1}\" viewBox=\"0 0 {0} {1}\">\n"
      "<title>{2}</title>\n<style>\n{3}</style>\n"
      "<rect x=\"0\" y=\"0\" width=\"{0}\" height=\"{1}\" fill=\"#ffffff\"/>\n{4}</svg>\n",
      numero(larghezza), numero(altezza), testo_xml(titolo), foglio, corpo_);
}

}  // namespace od
