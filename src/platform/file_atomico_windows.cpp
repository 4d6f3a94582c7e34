// Whole-file replacement on Windows: the same steps as on POSIX, over the
// native calls. MoveFileEx with MOVEFILE_REPLACE_EXISTING swaps the finished
// file in, and MOVEFILE_WRITE_THROUGH returns only once the move is on disk.
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/file_atomico.h"
#include "platform/file_atomico_sistema.h"
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
    sistema::riempi_nome_temporaneo(modello, x, seme);
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

// A new file takes the folder's permissions, and a replaced one's cannot be
// carried over by a rename anyway: there is nothing to copy.
int chiamate_file::copia_permessi(int, const char*) { return 0; }

int chiamate_file::chiudi(int fd) { return ::_close(fd); }

int chiamate_file::rinomina(const char* da, const char* a) {
  std::wstring sorgente;
  std::wstring destinazione;
  if (!percorso_largo(da, sorgente) || !percorso_largo(a, destinazione)) return -1;
  const DWORD modo = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  return ::MoveFileExW(sorgente.c_str(), destinazione.c_str(), modo) ? 0 : -1;
}

// MOVEFILE_WRITE_THROUGH has made each rename durable already.
int chiamate_file::sincronizza_cartella(const char*) { return 0; }

int chiamate_file::elimina(const char* percorso) {
  std::wstring nome;
  if (!percorso_largo(percorso, nome)) return -1;
  return ::DeleteFileW(nome.c_str()) ? 0 : -1;
}

chiamate_file& chiamate_di_sistema() {
  static chiamate_file reali;  // stateless: only forwards to the system
  return reali;
}

namespace sistema {

std::string motivo_ultimo_errore() { return ultimo_errore(); }
void segna_disco_pieno() { ::SetLastError(ERROR_DISK_FULL); }
bool scrittura_interrotta() { return false; }  // WriteFile is not interrupted by signals
void limite_dimensione_come_errore() {}        // no file-size signal here

std::string cartella_di(const std::string& percorso) {
  const std::size_t separatore = percorso.find_last_of("\\/");
  return separatore == std::string::npos ? "." : percorso.substr(0, separatore);
}

std::string nome_nella_cartella(const std::string& percorso) {
  const std::size_t separatore = percorso.find_last_of("\\/");
  return separatore == std::string::npos ? percorso : percorso.substr(separatore + 1);
}

bool e_cartella(const std::string& percorso) {
  std::wstring nome;
  if (!percorso_largo(percorso, nome)) return false;
  const DWORD attributi = ::GetFileAttributesW(nome.c_str());
  return attributi != INVALID_FILE_ATTRIBUTES && (attributi & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace sistema

void elimina_temporanei_rimasti(const std::string& cartella, const std::vector<std::string>& nomi) {
  std::wstring modello;
  if (!percorso_largo(cartella + "\\*.tmp-*", modello)) return;
  WIN32_FIND_DATAW trovato;
  const HANDLE ricerca = ::FindFirstFileW(modello.c_str(), &trovato);
  if (ricerca == INVALID_HANDLE_VALUE) return;
  std::vector<std::wstring> rimasti;
  do {
    if (sistema::temporaneo_di(in_utf8(trovato.cFileName), nomi)) rimasti.emplace_back(trovato.cFileName);
  } while (::FindNextFileW(ricerca, &trovato));
  ::FindClose(ricerca);
  // A temporary that cannot be removed is harmless; the run goes on.
  for (const std::wstring& nome : rimasti) ::DeleteFileW((in_utf16(cartella) + L"\\" + nome).c_str());
}

void elimina_temporanei_rimasti(const std::string& percorso) {
  const std::size_t separatore = percorso.find_last_of("\\/");
  elimina_temporanei_rimasti(sistema::cartella_di(percorso),
                             {percorso.substr(separatore == std::string::npos ? 0 : separatore + 1)});
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

// The attributes of a link are its own, whether or not its target exists.
bool esiste_voce(const std::string& percorso) {
  std::wstring nome;
  if (!percorso_largo(percorso, nome)) return false;
  return ::GetFileAttributesW(nome.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void elimina_se_esiste(const std::string& percorso) {
  if (::DeleteFileW(percorso_largo(percorso).c_str())) return;
  const DWORD codice = ::GetLastError();
  if (codice == ERROR_FILE_NOT_FOUND || codice == ERROR_PATH_NOT_FOUND) return;
  throw errore_file(percorso, "impossibile eliminare il file: " + descrizione_windows(codice));
}

}  // namespace od
