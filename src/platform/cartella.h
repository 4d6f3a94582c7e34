// Where the program keeps its files: the folder that holds the running
// executable, never the current directory.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace od {

// The separator between a folder and a file name on this platform.
#ifdef _WIN32
inline constexpr char separatore_cartella = '\\';
#else
inline constexpr char separatore_cartella = '/';
#endif

// The folder that holds the running program, as the platform reports it
// (UTF-8 on every platform). Throws errore_file when the platform cannot tell.
std::string cartella_programma();

// Folder, separator and name joined as text. A folder that already ends in a
// separator (a drive's root) gives a doubled one, which every platform accepts.
std::string nome_completo(std::string_view cartella, std::string_view nome);

// Creates `cartella` and every missing folder above it, as `mkdir -p` does;
// a folder that is already there is fine, and so is an empty name (the
// current folder). Throws errore_file naming the folder and the reason.
// Returns the topmost folder that it created, or nothing when none was
// missing.
std::string crea_cartella(const std::string& cartella);
// Undoes crea_cartella for a run that wrote nothing after all: removes
// `cartella` and the folders above it up to `fino_a` (what crea_cartella
// returned), each only while it is empty.
void rimuovi_cartelle_create(const std::string& cartella, const std::string& fino_a);
// The same for the folder that will hold the file `percorso`.
void crea_cartella_del_file(const std::string& percorso);

// The names of the files in `cartella` (UTF-8, without the folder), in no
// set order; none when the folder cannot be read. For messages that name a
// file near the one that is missing.
std::vector<std::string> file_della_cartella(const std::string& cartella);

// The program's arguments after its name, as UTF-8 texts. Where the C runtime
// hands `argv` over in a legacy code page, they are taken from the platform's
// own wide command line instead.
std::vector<std::string> argomenti_programma(int argc, char** argv);

}  // namespace od
