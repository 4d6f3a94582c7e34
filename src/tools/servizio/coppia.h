// The naming rule that ties the two description files of a scenario:
// PERCORSO_linea.txt and PERCORSO_TRENO-.txt in one folder. The server is
// handed one file and finds the other, among the files on disk and those
// open in the editor.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace od {

struct coppia_scenario {
  std::string cartella;
  std::string percorso;
  std::string treno;  // empty when no train file goes with the line file

  std::string file_linea() const;
  std::string file_treno() const;  // empty without a train
  bool operator==(const coppia_scenario&) const = default;
};

// A file of the pair's folder. Joined with "/" on every platform: the paths
// come from the editor's URIs, which write "/", and Windows takes it, so a
// path built here is the same text as the editor's for the same file.
std::string nella_cartella(const std::string& cartella, const std::string& nome);

// The pair that `file` (a path) belongs to, given the names of the other
// files of its folder (`nomi`, without the folder); nothing when its name is
// neither kind of description file. A line file goes with the first train
// file of its route in name order; a train file with the longest route name
// that has a line file, or, with none, the part of its name before the
// first underscore.
std::optional<coppia_scenario> coppia_di(const std::string& file, std::vector<std::string> nomi);

}  // namespace od
