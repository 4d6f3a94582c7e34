#include "tools/servizio/documenti.h"

#include <fstream>
#include <iterator>

namespace od {
namespace {

int cifra_esadecimale(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A character that stands for itself in a URI's path.
bool libero(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         std::string_view("-._~/").find(static_cast<char>(c)) != std::string_view::npos;
}

// The length of the UTF-8 sequence that starts with `c`, 0 for a byte that
// starts none.
int lunghezza_utf8(unsigned char c) {
  if (c < 0x80) return 1;
  if ((c & 0xE0) == 0xC0) return 2;
  if ((c & 0xF0) == 0xE0) return 3;
  if ((c & 0xF8) == 0xF0) return 4;
  return 0;
}

}  // namespace

std::optional<std::string> percorso_da_uri(std::string_view uri) {
  constexpr std::string_view schema = "file://";
  if (!uri.starts_with(schema)) return std::nullopt;
  uri.remove_prefix(schema.size());
  std::string percorso;
  for (std::size_t i = 0; i < uri.size(); ++i) {
    const int alto = i + 2 < uri.size() ? cifra_esadecimale(uri[i + 1]) : -1;
    const int basso = i + 2 < uri.size() ? cifra_esadecimale(uri[i + 2]) : -1;
    if (uri[i] == '%' && alto >= 0 && basso >= 0) {
      percorso += static_cast<char>(alto * 16 + basso);
      i += 2;
    } else {
      percorso += uri[i];
    }
  }
  // "/C:/x": a Windows drive after the authority's empty host.
  if (percorso.size() >= 3 && percorso[0] == '/' && percorso[2] == ':') percorso.erase(0, 1);
  return percorso;
}

std::string uri_da_percorso(std::string_view percorso) {
  std::string uri = "file://";
  if (!percorso.starts_with('/')) uri += '/';
  constexpr char esadecimali[] = "0123456789ABCDEF";
  for (const char c : percorso) {
    const auto u = static_cast<unsigned char>(c == '\\' ? '/' : c);
    // A drive's colon stays as Windows editors write it.
    if (libero(u) || (c == ':' && uri.size() == 9)) {
      uri += static_cast<char>(u);
    } else {
      uri += '%';
      uri += esadecimali[u >> 4];
      uri += esadecimali[u & 15];
    }
  }
  return uri;
}

std::string testo_8bit(std::string_view utf8) {
  std::string testo;
  testo.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const int n = lunghezza_utf8(c);
    // Two bytes C2 or C3 and a continuation: U+0080 to U+00FF.
    if (n == 2 && (c == 0xC2 || c == 0xC3) && i + 1 < utf8.size() &&
        (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) {
      testo += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F));
      i += 2;
      continue;
    }
    testo += utf8[i];
    ++i;
  }
  return testo;
}

std::optional<std::string> testo_di(const documenti_aperti& aperti, const std::string& percorso) {
  if (const auto d = aperti.find(percorso); d != aperti.end()) return d->second.testo;
  std::ifstream in(percorso, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace od
