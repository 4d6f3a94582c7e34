#include "tools/comune/testo_utf8.h"

namespace od {
namespace {

// Length of the UTF-8 sequence that starts at `i`, or 0 when it is not one.
std::size_t sequenza_utf8(std::string_view t, std::size_t i) {
  const auto c = static_cast<unsigned char>(t[i]);
  const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
  if (n == 0 || i + n > t.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    if ((static_cast<unsigned char>(t[i + k]) >> 6) != 0x2) return 0;
  }
  return n;
}

bool utf8_valido(std::string_view t) {
  for (std::size_t i = 0; i < t.size();) {
    const std::size_t n = sequenza_utf8(t, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

std::string latin1_in_utf8(std::string_view t) {
  std::string u;
  for (const char ch : t) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      u += ch;
    } else {
      u += static_cast<char>(0xC0 | (c >> 6));
      u += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return u;
}

void testi_in_utf8(nlohmann::ordered_json& j) {
  if (j.is_string()) {
    j = testo_utf8(j.get_ref<const std::string&>());
  } else if (j.is_structured()) {
    for (nlohmann::ordered_json& elemento : j) testi_in_utf8(elemento);
  }
}

}  // namespace

std::string testo_utf8(std::string_view testo) {
  return utf8_valido(testo) ? std::string(testo) : latin1_in_utf8(testo);
}

std::string json_utf8(nlohmann::ordered_json documento, int rientro) {
  testi_in_utf8(documento);
  // The keys are the tools' own, in ASCII; should one ever hold a stray
  // byte, it becomes the replacement character rather than aborting.
  return documento.dump(rientro, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace od
