// Whole-file replacement: every output file is written to a temporary file in
// its own folder, synced, and renamed over the target, so that a failure
// leaves the previous file untouched and no temporary file behind.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace od {

// A file that could not be created, replaced, read or deleted. Carries the
// path and the reason, for a one-line message at the edge of the program.
class errore_file : public std::runtime_error {
 public:
  errore_file(std::string percorso, std::string motivo);
  const std::string& percorso() const { return percorso_; }
  const std::string& motivo() const { return motivo_; }

 private:
  std::string percorso_;
  std::string motivo_;
};

// The system calls that a replacement makes, as a seam through which tests
// inject faults. Each returns what its POSIX namesake returns. On Windows
// they keep that convention (a C runtime descriptor, -1 on failure) over the
// native calls, and the reason of a failure is in GetLastError.
class chiamate_file {
 public:
  virtual ~chiamate_file() = default;
  virtual int crea_temporaneo(std::string& modello);  // mkstemp; Windows: CreateFile, new file only
  virtual ssize_t scrivi(int fd, const char* dati, std::size_t quanti);
  virtual int sincronizza(int fd);  // fsync; Windows: FlushFileBuffers
  virtual int chiudi(int fd);
  virtual int rinomina(const char* da, const char* a);  // Windows: MoveFileEx, replacing, write-through
  virtual int elimina(const char* percorso);  // unlink; Windows: DeleteFile
};

// The real system calls.
chiamate_file& chiamate_di_sistema();

// Produces a file's content in parts, handing each to `scrivi`, so that a
// large file need not be held in memory whole.
using produttore_contenuto = std::function<void(const std::function<void(std::string_view)>& scrivi)>;

// Replaces the file at `percorso` with exactly what `contenuto` produces.
// Throws errore_file naming the path and the reason; the old file then stays
// as it was. A failure inside the producer also leaves it untouched.
void sostituisci_file(const std::string& percorso, const produttore_contenuto& contenuto,
                      chiamate_file& chiamate = chiamate_di_sistema());

inline void sostituisci_file(const std::string& percorso, std::string_view contenuto,
                             chiamate_file& chiamate = chiamate_di_sistema()) {
  sostituisci_file(
      percorso, [contenuto](const std::function<void(std::string_view)>& scrivi) { scrivi(contenuto); }, chiamate);
}

// The whole content of a file, or nothing when it does not exist or cannot be read.
std::optional<std::string> leggi_file(const std::string& percorso);

bool esiste_file(const std::string& percorso);

// Deletes a file if it exists; a file that is already gone is fine.
void elimina_se_esiste(const std::string& percorso);

}  // namespace od
