// --osserva: a tool's work run once, then again each time one of the files
// it reads is saved, until Ctrl-C.
//
// The files are polled (their size and time of last change, every
// `intervallo`) rather than watched through the system's notifications:
// editors save by writing a new file and renaming it over the old one, which
// drops a notification watch with the old file, and polling two or three
// files costs nothing and behaves alike on Linux and Windows. A change is
// acted on once the files have stood still for one interval, so that a save
// in progress is not read halfway; a file that is missing for a moment, as
// while an editor replaces it, is waited for (up to `attesa_mancante`)
// before the work runs and reports it missing. Every file the work writes
// goes through the atomic replacement, so Ctrl-C never leaves one half
// written: the signal only asks the loop to stop between two runs.
#pragma once

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace od {

struct opzioni_osserva {
  std::chrono::milliseconds intervallo{100};
  std::chrono::milliseconds attesa_mancante{2000};
  // Called after each run with its number (from 1); returns false to stop.
  // For tests; the tool leaves it empty and stops on Ctrl-C only.
  std::function<bool(int)> dopo_giro;
};

// Runs `esegui` once and after each change of `file`, with a header
// "[hh:mm:ss] programma: COSA" on `uscita` before each run. Returns the
// status of the last run.
int osserva(std::string_view programma, const std::vector<std::string>& file, std::ostream& uscita,
            const std::function<int()>& esegui, const opzioni_osserva& opzioni = {});

}  // namespace od
