#include "rilettura/planimetria_a_blocchi.h"

#include <bit>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "output/elemento_planimetria.h"
#include "output/file_binari.h"

namespace od {
namespace {

std::filesystem::path percorso_di(const std::string& testo) { return std::u8string(testo.begin(), testo.end()); }

// Bytes `inizio` to `fine` of a file, handed out in order through a buffer
// of two blocks, filled without being cleared first.
class blocchi_file {
 public:
  blocchi_file(const std::string& percorso, std::size_t inizio, std::size_t fine)
      : file_(percorso_di(percorso), std::ios::binary),
        restanti_(fine - inizio),
        dati_(std::make_unique_for_overwrite<char[]>(2 * capienza)) {
    file_.seekg(static_cast<std::streamoff>(inizio));
  }

  std::size_t restanti() const { return restanti_ + (fine_ - pos_); }

  // The next `n` bytes (at most a block), or an empty view when the file
  // ends first or cannot be read.
  std::string_view prendi(std::size_t n) {
    if (fine_ - pos_ < n && !riempi(n)) return {};
    const std::string_view v(dati_.get() + pos_, n);
    pos_ += n;
    return v;
  }
  // The next `n` bytes without taking them; fewer where the file ends.
  std::string_view guarda(std::size_t n) {
    if (fine_ - pos_ < n) riempi(n);
    return std::string_view(dati_.get() + pos_, std::min(n, fine_ - pos_));
  }
  void salta(std::size_t n) { pos_ += n; }

  // Whether every byte left is zero.
  bool tutti_zero() {
    while (restanti() > 0) {
      const std::string_view v = prendi(std::min(restanti(), capienza));
      if (v.empty() || v.find_first_not_of('\0') != v.npos) return false;
    }
    return true;
  }

 private:
  static constexpr std::size_t capienza = std::size_t{1} << 16;

  bool riempi(std::size_t n) {
    std::memmove(dati_.get(), dati_.get() + pos_, fine_ - pos_);
    fine_ -= pos_;
    pos_ = 0;
    const std::size_t quanti = std::min(restanti_, capienza);
    file_.read(dati_.get() + fine_, static_cast<std::streamsize>(quanti));
    if (static_cast<std::size_t>(file_.gcount()) != quanti) return false;
    restanti_ -= quanti;
    fine_ += quanti;
    return fine_ >= n;
  }

  std::ifstream file_;
  std::size_t restanti_;  // not yet read into the buffer
  std::unique_ptr<char[]> dati_;
  std::size_t pos_ = 0, fine_ = 0;  // the bytes not yet handed out
};

// Numbers through the files' one little-endian decoder (output/codifica.h).
template <std::size_t quanti>
uint64_t numero(const char* p) {
  return decodifica_le<quanti>(p);
}

// Rows handed on at once: a few pages, well inside the cache.
constexpr std::size_t righe_per_lotto = 4096;

// The type code leads every element; its width is that of an empty one.
constexpr std::size_t byte_tipo = byte_elemento_vuoto, byte_doppio = byte_elemento_doppio;

// Whether the element at `p`, whose bytes are there, is a double, and its value.
bool tipo_doppio(const char* p) { return numero<byte_tipo>(p) == codice_doppio; }
double valore_doppio(const char* p) { return std::bit_cast<double>(numero<8>(p + byte_tipo)); }
// A double element at the start of `v`, however few bytes it holds.
bool e_doppio(std::string_view v) { return v.size() >= byte_doppio && tipo_doppio(v.data()); }

bool intero(blocchi_file& b, int16_t valore) {
  const std::string_view v = b.prendi(byte_elemento_intero);
  return !v.empty() && numero<byte_tipo>(v.data()) == codice_intero &&
         static_cast<int16_t>(numero<2>(v.data() + byte_tipo)) == valore;
}

std::optional<std::size_t> dimensione(const std::string& percorso) {
  std::error_code errore;
  const auto n = std::filesystem::file_size(percorso_di(percorso), errore);
  if (errore) return std::nullopt;
  return static_cast<std::size_t>(n);
}

}  // namespace

// The same shape as the one-pass decoder in lettura_binari.cpp takes:
// both columns hold the same kind of element row by row, whole numbers,
// then doubles, then empty elements, so the second starts halfway.
std::optional<forma_planimetria> sfoglia_planimetria(
    const std::string& percorso, const std::function<void(std::span<const planimetria::punto>)>& righe) {
  const std::optional<std::size_t> byte = dimensione(percorso);
  if (!byte || *byte == 0 || *byte % 2 != 0) return std::nullopt;
  const std::size_t meta = *byte / 2;
  forma_planimetria forma{.righe = 0, .calcolate = 0, .byte = *byte};
  {
    blocchi_file tutto(percorso, 0, *byte);
    if (tutto.guarda(byte_tipo) == std::string_view("\0\0", byte_tipo)) {
      // A plan never started: each half whole empty elements.
      if (meta % 2 != 0 || !tutto.tutti_zero()) return std::nullopt;
      forma.righe = static_cast<int32_t>(meta / 2);
      return forma;
    }
  }
  blocchi_file colonna_0(percorso, 0, meta), colonna_1(percorso, meta, *byte);
  if (!intero(colonna_0, 0) || !intero(colonna_0, 0) || !intero(colonna_1, 0) || !intero(colonna_1, 1)) {
    return std::nullopt;
  }
  uint64_t calcolate = 2;
  std::vector<planimetria::punto> lotto;
  lotto.reserve(righe_per_lotto);
  // A stretch of both columns at a time; the doubles of the first column end
  // where the computed rows end, and the second must keep pace.
  for (;;) {
    const std::string_view a = colonna_0.guarda(righe_per_lotto * byte_doppio);
    const std::string_view b = colonna_1.guarda(righe_per_lotto * byte_doppio);
    const std::size_t intere = std::min(a.size(), b.size()) / byte_doppio;
    std::size_t n = 0;
    for (const char *pa = a.data(), *pb = b.data(); n < intere && tipo_doppio(pa); ++n) {
      if (!tipo_doppio(pb)) return std::nullopt;
      lotto.push_back({valore_doppio(pa), valore_doppio(pb)});
      pa += byte_doppio;
      pb += byte_doppio;
    }
    if (!lotto.empty()) righe(lotto);
    lotto.clear();
    colonna_0.salta(n * byte_doppio);
    colonna_1.salta(n * byte_doppio);
    calcolate += n;
    if (n < intere) break;
    if (intere == 0) {
      if (e_doppio(a)) return std::nullopt;  // a row that the second column lacks
      break;
    }
  }
  // The empty rows: as many in both columns, all zero bytes.
  const std::size_t resto = colonna_0.restanti();
  if (resto % 2 != 0 || !colonna_0.tutti_zero() || colonna_1.restanti() != resto || !colonna_1.tutti_zero()) {
    return std::nullopt;
  }
  if (calcolate + resto / 2 > INT32_MAX) return std::nullopt;
  forma.calcolate = static_cast<int32_t>(calcolate);
  forma.righe = static_cast<int32_t>(calcolate + resto / 2);
  return forma;
}

bool stessi_byte_del_file(const planimetria& p, const std::string& percorso) {
  const std::optional<std::size_t> byte = dimensione(percorso);
  if (!byte) return false;
  blocchi_file file(percorso, 0, *byte);
  bool uguali = true;
  scrivi_planimetria(p, [&](std::string_view parte) { uguali = uguali && file.prendi(parte.size()) == parte; });
  return uguali && file.restanti() == 0;
}

}  // namespace od
