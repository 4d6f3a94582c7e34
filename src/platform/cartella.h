// Where the program keeps its files: the folder that holds the running
// executable, never the current directory.
#pragma once

#include <string>
#include <string_view>

namespace od {

// The separator between a folder and a file name on this platform.
inline constexpr char separatore_cartella = '/';

// The folder that holds the running program, as the platform reports it.
// Throws errore_file when the platform cannot tell.
std::string cartella_programma();

// Folder, separator and name joined as text. A folder that already ends in a
// separator gives a doubled one, which every POSIX path accepts.
std::string nome_completo(std::string_view cartella, std::string_view nome);

}  // namespace od
