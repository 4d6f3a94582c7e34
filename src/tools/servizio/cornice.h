// The framing of the protocol: every message is a header block ("Content-Length:
// N", other headers ignored, each line ended by CR LF, an empty line after the
// last) followed by N bytes of JSON. The bytes arrive in pieces of any size;
// `cornice` holds what has come and hands out whole bodies, one at a time.
//
// A header block without a length, or a length that is not a number, is a
// broken message: it is reported once and dropped, and reading goes on at the
// next header. A body longer than the limit is never held in memory: its
// bytes are skipped as they arrive, and the message is reported as too large.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace od {

enum class tipo_pezzo { messaggio, intestazione_rotta, troppo_grande };

struct pezzo_cornice {
  tipo_pezzo tipo = tipo_pezzo::messaggio;
  std::string corpo;  // the JSON text of a message; what was wrong otherwise
};

class cornice {
 public:
  // Larger bodies are skipped: an editor that sends a document of this size
  // is not editing a description file (the longest line, 1,000,000 m with a
  // record every 50 m, is about 2 MB).
  static constexpr std::size_t massimo_corpo = 16u << 20;

  explicit cornice(std::size_t massimo = massimo_corpo) : massimo_(massimo) {}

  void aggiungi(std::string_view byte);
  // The next whole piece, or nothing until more bytes come.
  std::optional<pezzo_cornice> prossimo();

 private:
  std::optional<pezzo_cornice> leggi_intestazione();

  std::string attesi_;                    // bytes received and not yet used
  std::size_t inizio_ = 0;                // where the unused part of attesi_ starts
  std::size_t da_saltare_ = 0;            // bytes of a too large body still to come
  std::optional<std::size_t> lunghezza_;  // the body's length, once its header is read
  std::size_t massimo_;
};

// A message as it goes out: its header, then the body.
std::string incornicia(std::string_view corpo);

}  // namespace od
