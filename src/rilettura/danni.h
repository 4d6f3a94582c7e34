// What is wrong with a binary file: which file, at which byte, and why. The
// byte offset is where the fault begins, so that a hex viewer can jump there.
#pragma once

#include <cstddef>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace od {

struct danno {
  std::string file;      // file name, without the folder
  std::size_t byte = 0;  // offset from the start of the file
  std::string motivo;    // what was found there, in one sentence

  bool operator==(const danno&) const = default;
};

// "FILE: byte N: motivo", one line, the shape of every damage message.
std::string testo_danno(const danno& d);

// How a tool reports the damage it found in the files of `cartella`: one
// line each, "CARTELLA/FILE: byte N: motivo".
void scrivi_danni(const std::vector<danno>& danni, const std::string& cartella, std::ostream& uscita);

// Thrown by a decoder when a file cannot be read on past the fault: the
// rest of the file has no trustworthy place to start from.
class file_danneggiato : public std::runtime_error {
 public:
  explicit file_danneggiato(danno d);
  const danno& dettaglio() const { return danno_; }

 private:
  danno danno_;
};

}  // namespace od
