// One run at a time per folder. Two runs in the same folder (a double
// double-click, a script started twice) would delete each other's
// description files and interleave their outputs; the second run instead
// waits for the first to end and then runs normally.
#pragma once

#include <string>

namespace od {

// Holds an exclusive lock on a folder from construction to destruction,
// waiting for it as long as another process holds it. POSIX: flock on the
// folder itself, which leaves nothing behind. Windows: a lock file opened
// without sharing and deleted when it is closed, also when the process is
// killed. A folder that cannot hold a lock (missing, read-only on Windows)
// is not locked: the first file written there then reports why.
class blocco_cartella {
 public:
  explicit blocco_cartella(const std::string& cartella);
  ~blocco_cartella();
  blocco_cartella(const blocco_cartella&) = delete;
  blocco_cartella& operator=(const blocco_cartella&) = delete;

  bool tenuto() const { return maniglia_ != nessuna; }

 private:
  static constexpr long long nessuna = -1;
  long long maniglia_ = nessuna;  // descriptor (POSIX) or HANDLE (Windows)
};

}  // namespace od
