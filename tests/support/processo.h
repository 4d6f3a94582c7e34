// Runs one of the project's executables in a child process, optionally
// copied into a folder first (the generator works in its own folder), with
// an optional file-size limit that makes a full disk real even for root.
// Several may run at once.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace od::test {

struct esito_processo {
  int stato = -1;      // exit status, or -1 when the child did not exit normally
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

// A child started and not yet waited for, with the files that collect its
// standard error and output.
struct processo_avviato {
  pid_t pid = -1;
  std::FILE* errori = nullptr;
  std::FILE* uscita = nullptr;
};

// Starts `programma` with `argomenti`; `limite_file` > 0 caps the size of any
// file that the child writes, with SIGXFSZ at its default, as a user's shell
// leaves it: the program itself must make the write fail instead of dying.
inline processo_avviato avvia(const std::string& programma, const std::vector<std::string>& argomenti = {},
                              long limite_file = 0) {
  processo_avviato p{-1, std::tmpfile(), std::tmpfile()};
  p.pid = ::fork();
  if (p.pid == 0) {
    ::dup2(::fileno(p.errori), 2);
    ::dup2(::fileno(p.uscita), 1);
    // The programs open a window where there is a display; the tests read
    // what they print instead.
    ::unsetenv("DISPLAY");
    std::signal(SIGXFSZ, SIG_DFL);
    if (limite_file > 0) {
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
  return p;
}

inline esito_processo attendi(processo_avviato& p) {
  int stato = 0;
  ::waitpid(p.pid, &stato, 0);
  esito_processo esito;
  esito.stato = WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
  std::rewind(p.errori);
  std::rewind(p.uscita);
  esito.errori = leggi_tutto(::fileno(p.errori));
  esito.uscita = leggi_tutto(::fileno(p.uscita));
  std::fclose(p.errori);
  std::fclose(p.uscita);
  return esito;
}

inline esito_processo esegui(const std::string& programma, const std::vector<std::string>& argomenti = {},
                             long limite_file = 0) {
  processo_avviato p = avvia(programma, argomenti, limite_file);
  return attendi(p);
}

// Copies the executable into `cartella` and returns the copy's path.
inline std::string copia_programma(const std::string& programma, const std::string& cartella) {
  const std::filesystem::path destinazione =
      std::filesystem::path(cartella) / std::filesystem::path(programma).filename();
  std::filesystem::copy_file(programma, destinazione, std::filesystem::copy_options::overwrite_existing);
  return destinazione.string();
}

}  // namespace od::test
