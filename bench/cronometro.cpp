// Times two commands as whole processes, alternating A B A B, and prints the
// median wall time of each and their ratio. Each command is started directly
// with posix_spawn (no shell in between), its output thrown away, and the
// clock read just before the spawn and just after the wait, so that the
// measuring adds as little as possible to either side.
//
// Usage: od_cronometro COPPIE -- COMANDO_A [ARG...] -- COMANDO_B [ARG...]
// Output: one line "mediana_a_ms mediana_b_ms rapporto".
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

using comando = std::vector<char*>;  // argv, closed by nullptr

[[noreturn]] void esci(const std::string& messaggio) {
  std::fprintf(stderr, "od_cronometro: %s\n", messaggio.c_str());
  std::exit(2);
}

// Milliseconds from the spawn to the end of the process; a failing command
// ends the measurement, since its time would mean nothing.
double esegui(const comando& c) {
  posix_spawn_file_actions_t azioni;
  posix_spawn_file_actions_init(&azioni);
  posix_spawn_file_actions_addopen(&azioni, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&azioni, 2, "/dev/null", O_WRONLY, 0);
  const auto inizio = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, c[0], &azioni, nullptr, c.data(), environ) != 0) esci(std::string("non parte: ") + c[0]);
  int stato = 0;
  if (waitpid(pid, &stato, 0) != pid) esci("attesa non riuscita");
  const auto fine = std::chrono::steady_clock::now();
  posix_spawn_file_actions_destroy(&azioni);
  if (!WIFEXITED(stato) || WEXITSTATUS(stato) != 0) esci(std::string("esce con errore: ") + c[0]);
  return std::chrono::duration<double, std::milli>(fine - inizio).count();
}

double mediana(std::vector<double> tempi) {
  std::sort(tempi.begin(), tempi.end());
  const std::size_t n = tempi.size();
  return n % 2 != 0 ? tempi[n / 2] : (tempi[n / 2 - 1] + tempi[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5 || std::strcmp(argv[2], "--") != 0) esci("uso: od_cronometro COPPIE -- A [ARG...] -- B [ARG...]");
  const int coppie = std::atoi(argv[1]);
  if (coppie < 1) esci("COPPIE deve essere almeno 1");
  comando a, b;
  comando* corrente = &a;
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0 && corrente == &a) {
      corrente = &b;
    } else {
      corrente->push_back(argv[i]);
    }
  }
  if (a.empty() || b.empty()) esci("servono due comandi");
  a.push_back(nullptr);
  b.push_back(nullptr);
  esegui(a);  // one untimed round each, so that both start from a warm cache
  esegui(b);
  std::vector<double> tempi_a, tempi_b;
  for (int i = 0; i < coppie; ++i) {
    tempi_a.push_back(esegui(a));
    tempi_b.push_back(esegui(b));
  }
  const double ma = mediana(tempi_a), mb = mediana(tempi_b);
  std::printf("%.3f %.3f %.2f\n", ma, mb, ma / mb);
  return 0;
}
