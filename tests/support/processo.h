// Runs one of the project's executables in a child process, optionally
// copied into a folder first (the generator works in its own folder), with
// an optional file-size limit that makes a full disk real even for root.
#pragma once

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace od::test {

struct esito_processo {
  int stato = -1;  // exit status, or -1 when the child did not exit normally
  std::string errori;  // standard error
  std::string uscita;  // standard output
};

inline std::string leggi_tutto(int fd) {
  std::string testo;
  char blocco[4096];
  ssize_t n;
  while ((n = ::read(fd, blocco, sizeof blocco)) > 0) testo.append(blocco, static_cast<std::size_t>(n));
  return testo;
}

// Runs `programma` with `argomenti`; `limite_file` > 0 caps the size of any
// file that the child writes, with SIGXFSZ ignored so that write() fails.
inline esito_processo esegui(const std::string& programma, const std::vector<std::string>& argomenti = {},
                             long limite_file = 0) {
  std::FILE* errori = std::tmpfile();
  std::FILE* uscita = std::tmpfile();
  const pid_t figlio = ::fork();
  if (figlio == 0) {
    ::dup2(::fileno(errori), 2);
    ::dup2(::fileno(uscita), 1);
    // The programs open a window where there is a display; the tests read
    // what they print instead.
    ::unsetenv("DISPLAY");
    if (limite_file > 0) {
      std::signal(SIGXFSZ, SIG_IGN);
      rlimit limite{static_cast<rlim_t>(limite_file), static_cast<rlim_t>(limite_file)};
      ::setrlimit(RLIMIT_FSIZE, &limite);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(programma.c_str()));
    for (const std::string& a : argomenti) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(programma.c_str(), argv.data());
    ::_exit(127);
  }
  int stato = 0;
  ::waitpid(figlio, &stato, 0);
  esito_processo esito;
  esito.stato = WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
  std::rewind(errori);
  std::rewind(uscita);
  esito.errori = leggi_tutto(::fileno(errori));
  esito.uscita = leggi_tutto(::fileno(uscita));
  std::fclose(errori);
  std::fclose(uscita);
  return esito;
}

// Copies the executable into `cartella` and returns the copy's path.
inline std::string copia_programma(const std::string& programma, const std::string& cartella) {
  const std::filesystem::path destinazione = std::filesystem::path(cartella) / std::filesystem::path(programma).filename();
  std::filesystem::copy_file(programma, destinazione, std::filesystem::copy_options::overwrite_existing);
  return destinazione.string();
}

}  // namespace od::test
