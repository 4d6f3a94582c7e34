// The server's standard input, read with a time limit: the wait for the
// editor's next message is also the pause after which pending diagnostics
// are published (the debounce), so the server needs no second thread.
#pragma once

#include <string>

namespace od {

enum class esito_attesa {
  dati,   // bytes were appended
  tempo,  // the time ran out with nothing to read
  fine,   // the input is closed
};

// Standard input and output as bytes: the protocol's headers end in CR LF,
// which a text-mode channel on Windows would double.
void canali_binari();

// Appends what standard input has, waiting at most `millisecondi` (< 0: as
// long as it takes).
esito_attesa leggi_ingresso(std::string& dove, int millisecondi);

}  // namespace od
