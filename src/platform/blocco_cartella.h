// One writer at a time per folder, and no reader while one writes. Two runs
// writing in the same folder (a double double-click, a script started twice)
// would delete each other's description files and interleave their outputs;
// a reader beside a writer would meet a set of files half replaced. Each
// instead waits for the other to end and then runs normally.
#pragma once

#include <string>

namespace od {

// What a run does in the folder: writers exclude everyone, readers only
// writers.
enum class accesso { esclusivo, condiviso };

// Holds a lock on a folder from construction to destruction, waiting for it
// as long as another process holds one that excludes it. POSIX: flock on the
// folder itself, which leaves nothing behind. Windows: a lock file opened
// without sharing (readers share it with one another) and deleted when the
// last one closes it, also when the process is killed. A folder that cannot
// hold a lock (missing, read-only on Windows) is not locked: the first file
// written there then reports why.
// A writer, once it holds the folder, first finishes the set of files that a
// killed run left half replaced (intento.h); that throws errore_file when it
// cannot, and the lock is then let go.
class blocco_cartella {
 public:
  explicit blocco_cartella(const std::string& cartella, accesso modo = accesso::esclusivo);
  ~blocco_cartella();
  blocco_cartella(const blocco_cartella&) = delete;
  blocco_cartella& operator=(const blocco_cartella&) = delete;

  bool tenuto() const { return maniglia_ != nessuna; }

 private:
  static constexpr long long nessuna = -1;
  // The platform's part: waits for the lock and gives its handle, or nessuna.
  static long long prendi(const std::string& cartella, accesso modo);
  static void lascia(long long maniglia);
  long long maniglia_ = nessuna;  // descriptor (POSIX) or HANDLE (Windows)
};

}  // namespace od
