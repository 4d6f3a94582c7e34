// The files that the editor holds open, by path, with the text as the editor
// has it (saved or not), and the conversion between the editor's addresses
// (file:// URIs, UTF-8 text) and the build's (paths, 8-bit text).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace od {

struct documento_aperto {
  std::string uri;    // as the editor names it, for the answers
  std::string testo;  // 8-bit, as the build reads a file
  int64_t versione = 0;
};

using documenti_aperti = std::map<std::string, documento_aperto>;

// "file:///a/b%20c.txt" -> "/a/b c.txt" ("file:///C:/x" -> "C:/x" on
// Windows); nothing for any other scheme.
std::optional<std::string> percorso_da_uri(std::string_view uri);
std::string uri_da_percorso(std::string_view percorso);

// The protocol's text is UTF-8; the description files are 8-bit. Every
// character up to U+00FF becomes its one byte, so that a column counts the
// same characters in both; any other character (or a byte that is not
// UTF-8) is left as it is, and the build warns about it as it would on disk.
std::string testo_8bit(std::string_view utf8);

// The text of `percorso`: the editor's when it is open, else the file's;
// nothing when neither is there.
std::optional<std::string> testo_di(const documenti_aperti& aperti, const std::string& percorso);

}  // namespace od
