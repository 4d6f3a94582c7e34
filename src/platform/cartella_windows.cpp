#include "platform/cartella.h"
#include "platform/file_atomico.h"
#include "platform/testo_windows.h"

#include <shellapi.h>  // after windows.h, which it needs

namespace od {

std::string cartella_programma() {
  // The name can be longer than MAX_PATH; the call truncates silently and says
  // so only through the length it returns.
  std::wstring nome(MAX_PATH, L'\0');
  for (;;) {
    const DWORD quanti = ::GetModuleFileNameW(nullptr, nome.data(), static_cast<DWORD>(nome.size()));
    if (quanti == 0) {
      throw errore_file("GetModuleFileName",
                        "impossibile trovare la cartella del programma: " + descrizione_windows(::GetLastError()));
    }
    if (quanti < nome.size()) {
      nome.resize(quanti);
      break;
    }
    nome.resize(nome.size() * 2);
  }
  const std::size_t separatore = nome.find_last_of(L'\\');
  if (separatore == std::wstring::npos) {
    throw errore_file(in_utf8(nome), "impossibile trovare la cartella del programma: nome senza cartella");
  }
  return in_utf8(std::wstring_view(nome).substr(0, separatore));
}

// The C runtime's argv is in the ANSI code page, which cannot carry every
// folder name; the wide command line can.
std::vector<std::string> argomenti_programma(int, char**) {
  int quanti = 0;
  wchar_t** argomenti = ::CommandLineToArgvW(::GetCommandLineW(), &quanti);
  if (argomenti == nullptr) return {};
  std::vector<std::string> testi;
  for (int n = 1; n < quanti; ++n) testi.push_back(in_utf8(argomenti[n]));
  ::LocalFree(argomenti);
  return testi;
}

}  // namespace od
