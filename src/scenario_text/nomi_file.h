// The names of every file of a scenario, formed from the route and train names.
#pragma once

#include <string>

namespace od {

inline std::string nome_file_linea(const std::string& percorso) { return percorso + "_linea.txt"; }
inline std::string nome_file_treno(const std::string& percorso, const std::string& treno) {
  return percorso + "_" + treno + "-.txt";  // the hyphen belongs to the name
}
inline std::string nome_file_documento(const std::string& percorso, const std::string& treno, const std::string& tipo) {
  return percorso + "_" + treno + "_" + tipo + ".txt";  // tipo: "note", "rallentamenti", "scheda_treno"
}

}  // namespace od
