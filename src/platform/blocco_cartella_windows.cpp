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

blocco_cartella::blocco_cartella(const std::string& cartella) {
  std::wstring percorso;
  try {
    percorso = in_utf16(cartella) + L"\\" + nome_blocco;
  } catch (const std::runtime_error&) {
    return;  // a name that is not UTF-8 cannot be a folder either
  }
  int negati = 0;
  for (;;) {
    const HANDLE h =
        ::CreateFileW(percorso.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      maniglia_ = static_cast<long long>(reinterpret_cast<intptr_t>(h));
      return;
    }
    const DWORD codice = ::GetLastError();
    if (codice == ERROR_ACCESS_DENIED && ++negati > tentativi_negati) return;
    if (codice != ERROR_SHARING_VIOLATION && codice != ERROR_ACCESS_DENIED) return;
    ::Sleep(attesa_ms);  // another run holds the folder
  }
}

// Closing the handle deletes the file; the system closes it when the process
// ends, however it ends.
blocco_cartella::~blocco_cartella() {
  if (tenuto()) ::CloseHandle(reinterpret_cast<HANDLE>(static_cast<intptr_t>(maniglia_)));
}

}  // namespace od
