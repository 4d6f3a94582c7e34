// The command-line conventions that every authors' tool shares, so that
// `--help`, `--version` and a usage error look the same in all of them:
// CLI11 with Italian labels, the usage line first in the help, CLI11's own
// messages said in Italian, help and version on standard output with status
// 0, a usage error on standard error (with the usage line) with status 2.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace od {

inline constexpr int stato_uso_errato = 2;

// The project's version, as the build sets it.
std::string_view versione_strumenti();

// Gives `app` the shared look: labels, `-h,--help`, `--version`, and a
// failure message that names the program and repeats `uso` (the usage line
// without "Uso: ").
void prepara_riga_comando(CLI::App& app, std::string_view programma, std::string_view uso);

// Parses `argomenti` (without the program name). Returns nothing when the
// tool should go on; otherwise the exit status, with the help, the version or
// the usage error already printed.
std::optional<int> analizza_argomenti(CLI::App& app, const std::vector<std::string>& argomenti, std::ostream& uscita,
                                      std::ostream& diagnostica);

// A CLI11 error raised while parsing for `app`, said in Italian: the
// option's name, its values and the extra arguments come from `app`, so that
// nothing the author typed is mistaken for CLI11's own words.
std::string messaggio_italiano(const CLI::App& app, const CLI::Error& e);

// A name that becomes part of every file name of a scenario: empty, or with
// a folder separator in it (either one: Windows takes both), it would name a
// file elsewhere. Returns the reason, or nothing when the name is good.
std::string controlla_nome(std::string_view cosa, const std::string& nome);

// The common end of a tool that reads or writes one scenario: checks the
// route and train names, then runs `esegui`. A bad name, a file error or
// anything unexpected becomes one line on `diagnostica` and status 2.
int esegui_su_scenario(std::string_view programma, const std::string& percorso, const std::string& treno,
                       std::ostream& diagnostica, const std::function<int()>& esegui);

}  // namespace od
