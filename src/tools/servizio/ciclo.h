// The server's loop: bytes from the editor through the framing into the
// session, answers framed back out, and the diagnostics published once the
// editor has been quiet for `pausa_ms`.
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "tools/servizio/ingresso.h"

namespace od {

// Appends what comes, waiting at most the given milliseconds (< 0: no limit).
using fonte_ingresso = std::function<esito_attesa(std::string&, int)>;

inline constexpr int pausa_diagnostiche_ms = 150;

// Runs until "exit" or the end of the input; returns the exit status (0
// after "shutdown" and "exit", 1 otherwise, as the protocol asks).
int esegui_servizio(const fonte_ingresso& fonte, std::ostream& uscita, int pausa_ms = pausa_diagnostiche_ms);

}  // namespace od
