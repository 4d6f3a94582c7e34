#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "tools/servizio/ingresso.h"

namespace od {

void canali_binari() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

// An editor starts the server with pipes: PeekNamedPipe tells whether bytes
// wait, in steps of 10 ms. Any other handle (a file, a console) is read as it
// comes, without a time limit.
esito_attesa leggi_ingresso(std::string& dove, int millisecondi) {
  const HANDLE ingresso = GetStdHandle(STD_INPUT_HANDLE);
  if (GetFileType(ingresso) == FILE_TYPE_PIPE) {
    for (int atteso = 0;; atteso += 10) {
      DWORD disponibili = 0;
      if (!PeekNamedPipe(ingresso, nullptr, 0, nullptr, &disponibili, nullptr)) return esito_attesa::fine;
      if (disponibili > 0) break;
      if (millisecondi >= 0 && atteso >= millisecondi) return esito_attesa::tempo;
      Sleep(10);
    }
  }
  char blocco[65536];
  DWORD letti = 0;
  if (!ReadFile(ingresso, blocco, sizeof blocco, &letti, nullptr) || letti == 0) return esito_attesa::fine;
  dove.append(blocco, letti);
  return esito_attesa::dati;
}

}  // namespace od
