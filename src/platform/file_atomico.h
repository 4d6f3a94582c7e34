// Whole-file replacement: every output file is written to a temporary file in
// its own folder, synced, and renamed over the target, so that a failure
// leaves the previous file untouched and no temporary file behind, and a
// crash leaves it either as it was or wholly replaced.
#pragma once

#include <sys/types.h>
#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

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
  // A new file named after `modello`, whose last six characters "XXXXXX"
  // become letters and digits; created with mode 0666 less the umask, like
  // any new file. Windows: CreateFile, new file only.
  virtual int crea_temporaneo(std::string& modello);
  virtual ssize_t scrivi(int fd, const char* dati, std::size_t quanti);
  virtual int sincronizza(int fd);  // fsync; Windows: FlushFileBuffers
  // Gives the file the permissions of the file at `modello`, if there is one
  // (fchmod). Windows: nothing to do.
  virtual int copia_permessi(int fd, const char* modello);
  virtual int chiudi(int fd);
  virtual int rinomina(const char* da, const char* a);  // Windows: MoveFileEx, replacing, write-through
  // Makes the folder's entries durable after renames (fsync of the folder).
  // Windows: nothing to do, the renames are written through.
  virtual int sincronizza_cartella(const char* cartella);
  virtual int elimina(const char* percorso);  // unlink; Windows: DeleteFile
};

// The real system calls.
chiamate_file& chiamate_di_sistema();

// Produces a file's content in parts, handing each to `scrivi`, so that a
// large file need not be held in memory whole.
using produttore_contenuto = std::function<void(const std::function<void(std::string_view)>& scrivi)>;

// What a replacement syncs, chosen by the caller that knows what its files
// are for. The rename is atomic in every case: a killed process leaves each
// file as it was or wholly replaced.
enum class sincronia {
  // Each file before its rename, then its folder: durable when the call
  // returns.
  completa,
  // Each file before its rename; the folder is left to the caller, who syncs
  // it once with sincronizza_cartella after its last replacement there, so
  // that several groups in one folder cost one folder sync.
  senza_cartella,
  // Nothing: for a file that its run deletes before it ends. After a power
  // cut it may come back empty; the next run writes it again before reading.
  nessuna,
};

// Files replaced together. Each is written to a temporary file beside its
// target and synced as soon as it is prepared; only when every one is ready
// are they renamed over their targets, one right after the other, and their
// folders synced (each step as the group's sincronia allows). A failure or a
// crash before the renames leaves every target as it was. Two files or more
// are recorded in their folder before the first rename and the record goes
// once the renames are durable (platform/intento.h; this syncs the folder
// whatever the sincronia, unless it is nessuna): a run killed in between is
// finished by the next writer there, and a reader holding the folder's lock
// never takes the mix for a whole set.
class sostituzione_insieme {
 public:
  explicit sostituzione_insieme(chiamate_file& chiamate = chiamate_di_sistema(),
                                sincronia sincronia = sincronia::completa);
  // Removes the temporary files of those not installed.
  ~sostituzione_insieme();
  sostituzione_insieme(const sostituzione_insieme&) = delete;
  sostituzione_insieme& operator=(const sostituzione_insieme&) = delete;

  // Writes the new content of `percorso` to its temporary file. Throws
  // errore_file naming the path and the reason; a failure inside the
  // producer also leaves the target untouched, and so does a folder standing
  // in the target's place, found before anything is written.
  void prepara(const std::string& percorso, const produttore_contenuto& contenuto);
  void prepara(const std::string& percorso, std::string_view contenuto);
  // Renames every prepared file over its target, in the order prepared.
  // Throws errore_file naming the file that could not be replaced; those
  // before it are replaced already, and the record keeps the rest for the
  // next writer in the folder.
  void installa();

 private:
  struct preparato {
    std::string percorso;
    std::string temporaneo;
  };
  chiamate_file& chiamate_;
  sincronia sincronia_;
  std::vector<preparato> preparati_;
};

// Replaces the file at `percorso` with exactly what `contenuto` produces.
// Throws errore_file naming the path and the reason; the old file then stays
// as it was. A replaced file keeps its permissions; a new one gets 0666 less
// the umask.
void sostituisci_file(const std::string& percorso, const produttore_contenuto& contenuto,
                      chiamate_file& chiamate = chiamate_di_sistema(), sincronia sincronia = sincronia::completa);

inline void sostituisci_file(const std::string& percorso, std::string_view contenuto,
                             chiamate_file& chiamate = chiamate_di_sistema(),
                             sincronia sincronia = sincronia::completa) {
  sostituisci_file(
      percorso, [contenuto](const std::function<void(std::string_view)>& scrivi) { scrivi(contenuto); }, chiamate,
      sincronia);
}

// Makes the renames already made in `cartella` durable (see
// sincronia::senza_cartella). Throws errore_file naming the folder.
void sincronizza_cartella(const std::string& cartella, chiamate_file& chiamate = chiamate_di_sistema());

// Removes the temporary files that replacements of the files `nomi` in
// `cartella` left behind when their process was killed or the machine
// stopped, listing the folder once. Only a run that holds the folder's lock
// may call it: another run's temporaries are live.
void elimina_temporanei_rimasti(const std::string& cartella, const std::vector<std::string>& nomi);
// The same for the one file at `percorso`.
void elimina_temporanei_rimasti(const std::string& percorso);

// The whole content of a file, or nothing when it does not exist or cannot be read.
std::optional<std::string> leggi_file(const std::string& percorso);

bool esiste_file(const std::string& percorso);
// Whether anything at all stands at `percorso`: a file, a folder, a link,
// even one that leads nowhere.
bool esiste_voce(const std::string& percorso);

// Deletes a file if it exists; a file that is already gone is fine.
void elimina_se_esiste(const std::string& percorso);

}  // namespace od
