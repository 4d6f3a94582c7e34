// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace od::test {

class cartella_temporanea {
 public:
  cartella_temporanea() {
    std::string modello = (std::filesystem::temp_directory_path() / "od-test-XXXXXX").string();
    if (::mkdtemp(modello.data()) == nullptr) throw std::runtime_error("mkdtemp");
    percorso_ = modello;
  }
  ~cartella_temporanea() {
    std::error_code ignorato;
    std::filesystem::remove_all(percorso_, ignorato);
  }
  cartella_temporanea(const cartella_temporanea&) = delete;
  cartella_temporanea& operator=(const cartella_temporanea&) = delete;

  const std::string& percorso() const { return percorso_; }
  std::string file(const std::string& nome) const { return percorso_ + "/" + nome; }

  void scrivi(const std::string& nome, const std::string& contenuto) const {
    std::ofstream out(file(nome), std::ios::binary);
    out << contenuto;
  }
  std::string leggi(const std::string& nome) const {
    std::ifstream in(file(nome), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  bool esiste(const std::string& nome) const { return std::filesystem::exists(file(nome)); }
  std::vector<std::string> elenco() const {
    std::vector<std::string> nomi;
    for (const auto& voce : std::filesystem::directory_iterator(percorso_)) nomi.push_back(voce.path().filename());
    std::sort(nomi.begin(), nomi.end());
    return nomi;
  }

 private:
  std::string percorso_;
};

// Lines joined with CR LF, each one ended.
inline std::string righe_crlf(std::initializer_list<std::string> righe) {
  std::string testo;
  for (const std::string& r : righe) testo += r + "\r\n";
  return testo;
}

}  // namespace od::test
