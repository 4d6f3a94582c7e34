#include <cstdint>
#include <stdexcept>

#include "platform/blocco_cartella.h"
#include "platform/testo_windows.h"

namespace od {
namespace {

constexpr wchar_t nome_blocco[] = L"scenario.blocco";
constexpr DWORD attesa_ms = 50;
// Right after the holder closes it, the file is being deleted and cannot be
// opened for a moment; longer than this, the folder refuses new files.
constexpr int tentativi_negati = 40;

}  // namespace

long long blocco_cartella::prendi(const std::string& cartella, accesso modo) {
  std::wstring percorso;
  try {
    percorso = in_utf16(cartella) + L"\\" + nome_blocco;
  } catch (const std::runtime_error&) {
    return nessuna;  // a name that is not UTF-8 cannot be a folder either
  }
  // A writer shares the file with no one; readers share it with readers,
  // each of them also letting the file be deleted when the last one closes.
  const bool esclusivo = modo == accesso::esclusivo;
  const DWORD diritti = esclusivo ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
  const DWORD condivisione = esclusivo ? 0 : FILE_SHARE_READ | FILE_SHARE_DELETE;
  int negati = 0;
  for (;;) {
    const HANDLE h =
        ::CreateFileW(percorso.c_str(), diritti, condivisione, nullptr, OPEN_ALWAYS,
                      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h != INVALID_HANDLE_VALUE) return static_cast<long long>(reinterpret_cast<intptr_t>(h));
    const DWORD codice = ::GetLastError();
    if (codice == ERROR_ACCESS_DENIED && ++negati > tentativi_negati) return nessuna;
    if (codice != ERROR_SHARING_VIOLATION && codice != ERROR_ACCESS_DENIED) return nessuna;
    ::Sleep(attesa_ms);  // another run holds the folder
  }
}

// Closing the handle deletes the file once no one else has it open.
void blocco_cartella::lascia(long long maniglia) {
  ::CloseHandle(reinterpret_cast<HANDLE>(static_cast<intptr_t>(maniglia)));
}

}  // namespace od
