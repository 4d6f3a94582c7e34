// Whole-file replacement on Windows: the same steps as on POSIX, over the
// native calls. MoveFileEx with MOVEFILE_REPLACE_EXISTING swaps the finished
// file in, and MOVEFILE_WRITE_THROUGH returns only once the move is on disk.
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdint>

#include "platform/file_atomico.h"
#include "platform/testo_windows.h"

namespace od {
namespace {

HANDLE maniglia(int fd) { return reinterpret_cast<HANDLE>(::_get_osfhandle(fd)); }

// A path that is not UTF-8 cannot name a file: reported like any other
// failure of the call, through the last error.
bool percorso_largo(std::string_view percorso, std::wstring& largo) {
  try {
    largo = in_utf16(percorso);
    return true;
  } catch (const std::runtime_error&) {
    ::SetLastError(ERROR_INVALID_NAME);
    return false;
  }
}

std::wstring percorso_largo(const std::string& percorso) {
  std::wstring largo;
  if (!percorso_largo(percorso, largo)) throw errore_file(percorso, "nome di file non valido");
  return largo;
}

std::string ultimo_errore() { return descrizione_windows(::GetLastError()); }

// Six letters or digits from a seed that differs between processes and calls.
void riempi_nome(std::string& modello, std::size_t da, uint64_t& seme) {
  static constexpr std::string_view alfabeto = "abcdefghijklmnopqrstuvwxyz0123456789";
  seme = seme * 6364136223846793005ULL + 1442695040888963407ULL;
  uint64_t valore = seme >> 16;
  for (std::size_t i = 0; i < 6; ++i) {
    modello[da + i] = alfabeto[valore % alfabeto.size()];
    valore /= alfabeto.size();
  }
}

// Writes everything, resuming after short writes.
void scrivi_tutto(chiamate_file& chiamate, int fd, std::string_view contenuto, const std::string& percorso) {
  std::size_t scritti = 0;
  while (scritti < contenuto.size()) {
    const ssize_t n = chiamate.scrivi(fd, contenuto.data() + scritti, contenuto.size() - scritti);
    if (n == 0) ::SetLastError(ERROR_DISK_FULL);
    if (n <= 0) throw errore_file(percorso, "scrittura non riuscita: " + ultimo_errore());
    scritti += static_cast<std::size_t>(n);
  }
}

}  // namespace

int chiamate_file::crea_temporaneo(std::string& modello) {
  const std::size_t x = modello.size() >= 6 ? modello.size() - 6 : 0;
  if (modello.size() < 6 || modello.compare(x, 6, "XXXXXX") != 0) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  LARGE_INTEGER adesso{};
  ::QueryPerformanceCounter(&adesso);
  uint64_t seme = static_cast<uint64_t>(adesso.QuadPart) ^ (uint64_t{::GetCurrentProcessId()} << 32);
  for (int tentativo = 0; tentativo < 100; ++tentativo) {
    riempi_nome(modello, x, seme);
    std::wstring nome;
    if (!percorso_largo(modello, nome)) return -1;
    const HANDLE h = ::CreateFileW(nome.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      if (::GetLastError() == ERROR_FILE_EXISTS) continue;
      return -1;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(h), _O_BINARY | _O_WRONLY);
    if (fd < 0) {
      ::CloseHandle(h);
      ::DeleteFileW(nome.c_str());
      ::SetLastError(ERROR_TOO_MANY_OPEN_FILES);
    }
    return fd;
  }
  ::SetLastError(ERROR_FILE_EXISTS);
  return -1;
}

ssize_t chiamate_file::scrivi(int fd, const char* dati, std::size_t quanti) {
  // One call writes at most a DWORD's worth; the caller resumes.
  const DWORD blocco = static_cast<DWORD>(std::min<std::size_t>(quanti, std::size_t{1} << 30));
  DWORD scritti = 0;
  if (!::WriteFile(maniglia(fd), dati, blocco, &scritti, nullptr)) return -1;
  return static_cast<ssize_t>(scritti);
}

int chiamate_file::sincronizza(int fd) { return ::FlushFileBuffers(maniglia(fd)) ? 0 : -1; }

int chiamate_file::chiudi(int fd) { return ::_close(fd); }

int chiamate_file::rinomina(const char* da, const char* a) {
  std::wstring sorgente;
  std::wstring destinazione;
  if (!percorso_largo(da, sorgente) || !percorso_largo(a, destinazione)) return -1;
  const DWORD modo = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  return ::MoveFileExW(sorgente.c_str(), destinazione.c_str(), modo) ? 0 : -1;
}

int chiamate_file::elimina(const char* percorso) {
  std::wstring nome;
  if (!percorso_largo(percorso, nome)) return -1;
  return ::DeleteFileW(nome.c_str()) ? 0 : -1;
}

chiamate_file& chiamate_di_sistema() {
  static chiamate_file sistema;  // stateless: only forwards to the system
  return sistema;
}

void sostituisci_file(const std::string& percorso, const produttore_contenuto& contenuto, chiamate_file& chiamate) {
  std::string temporaneo = percorso + ".tmp-XXXXXX";
  const int fd = chiamate.crea_temporaneo(temporaneo);
  if (fd < 0) throw errore_file(percorso, "impossibile creare il file: " + ultimo_errore());
  try {
    contenuto([&](std::string_view parte) { scrivi_tutto(chiamate, fd, parte, percorso); });
    if (chiamate.sincronizza(fd) != 0) throw errore_file(percorso, "sincronizzazione non riuscita: " + ultimo_errore());
  } catch (...) {
    chiamate.chiudi(fd);
    chiamate.elimina(temporaneo.c_str());
    throw;
  }
  if (chiamate.chiudi(fd) != 0) {
    const std::string motivo = ultimo_errore();
    chiamate.elimina(temporaneo.c_str());
    throw errore_file(percorso, "chiusura non riuscita: " + motivo);
  }
  if (chiamate.rinomina(temporaneo.c_str(), percorso.c_str()) != 0) {
    const std::string motivo = ultimo_errore();
    chiamate.elimina(temporaneo.c_str());
    throw errore_file(percorso, "impossibile sostituire il file: " + motivo);
  }
}

std::optional<std::string> leggi_file(const std::string& percorso) {
  std::wstring nome;
  if (!percorso_largo(percorso, nome)) return std::nullopt;
  // A folder cannot be opened this way, so only a regular file is read.
  const HANDLE h = ::CreateFileW(nome.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string contenuto;
  char blocco[65536];
  DWORD letti = 0;
  bool riuscita = true;
  while ((riuscita = ::ReadFile(h, blocco, sizeof blocco, &letti, nullptr) != 0) && letti > 0) {
    contenuto.append(blocco, letti);
  }
  ::CloseHandle(h);
  if (!riuscita) return std::nullopt;
  return contenuto;
}

bool esiste_file(const std::string& percorso) {
  std::wstring nome;
  if (!percorso_largo(percorso, nome)) return false;
  const DWORD attributi = ::GetFileAttributesW(nome.c_str());
  return attributi != INVALID_FILE_ATTRIBUTES && (attributi & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void elimina_se_esiste(const std::string& percorso) {
  if (::DeleteFileW(percorso_largo(percorso).c_str())) return;
  const DWORD codice = ::GetLastError();
  if (codice == ERROR_FILE_NOT_FOUND || codice == ERROR_PATH_NOT_FOUND) return;
  throw errore_file(percorso, "impossibile eliminare il file: " + descrizione_windows(codice));
}

}  // namespace od
