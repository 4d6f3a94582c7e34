// The picture of the house (docs/architettura.md) is the build's link graph:
// its table of rooms must say, room by room, what build/stanze.txt says (the
// rooms each room uses, written at configure time), give each room the
// folder that its include root holds, and list the rooms lowest first. The
// generator's rooms, which reach none of the tools' libraries, include none.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace od {
namespace {

const std::string librerie_strumenti = "od_librerie_strumenti";

struct stanza {
  std::string cartella;
  std::set<std::string> usa;
};

std::string leggi(const std::string& percorso) {
  std::ifstream in(percorso, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> nomi_in(const std::string& testo) {
  static const std::regex nome("[A-Za-z0-9_]+");
  std::set<std::string> nomi;
  for (auto it = std::sregex_iterator(testo.begin(), testo.end(), nome); it != std::sregex_iterator(); ++it) {
    nomi.insert(it->str());
  }
  return nomi;
}

// build/stanze.txt: "room: rooms it uses", one line per room.
std::map<std::string, stanza> stanze_della_build() {
  std::map<std::string, stanza> stanze;
  std::istringstream righe(leggi(OD_STANZE));
  for (std::string riga; std::getline(righe, riga);) {
    const std::size_t due_punti = riga.find(':');
    if (due_punti != std::string::npos) stanze[riga.substr(0, due_punti)].usa = nomi_in(riga.substr(due_punti + 1));
  }
  return stanze;
}

// The cells of a table row "| a | b | ... |", without their blanks and backticks.
std::vector<std::string> celle(const std::string& riga) {
  std::vector<std::string> c;
  std::istringstream campi(riga.substr(1));
  for (std::string campo; std::getline(campi, campo, '|');) {
    std::erase(campo, '`');
    const std::size_t inizio = campo.find_first_not_of(' ');
    c.push_back(inizio == std::string::npos ? "" : campo.substr(inizio, campo.find_last_not_of(' ') - inizio + 1));
  }
  return c;
}

// The table "| room | folder | uses | ..." of the picture, in its order.
std::vector<std::pair<std::string, stanza>> stanze_del_disegno() {
  std::vector<std::pair<std::string, stanza>> stanze;
  std::istringstream righe(leggi(OD_ARCHITETTURA));
  bool in_tabella = false;
  for (std::string riga; std::getline(righe, riga);) {
    if (!riga.starts_with("|")) {
      in_tabella = false;
      continue;
    }
    const std::vector<std::string> c = celle(riga);
    if (c.size() >= 3 && c[0] == "room" && c[1] == "folder" && c[2] == "uses") {
      in_tabella = true;
    } else if (in_tabella && c.size() >= 3 && !c[0].starts_with("-")) {
      stanze.push_back({c[0], {c[1], nomi_in(c[2])}});
    }
  }
  return stanze;
}

std::string elenco(const std::set<std::string>& nomi) {
  std::string t;
  for (const std::string& n : nomi) t += (t.empty() ? "" : " ") + n;
  return "{" + t + "}";
}

TEST(Architettura, ThePictureIsTheLinkGraph) {
  const std::map<std::string, stanza> build = stanze_della_build();
  const std::vector<std::pair<std::string, stanza>> disegno = stanze_del_disegno();
  ASSERT_FALSE(build.empty()) << "no rooms in " << OD_STANZE;
  ASSERT_FALSE(disegno.empty()) << "no table \"| room | folder | uses |\" in " << OD_ARCHITETTURA;
  const std::filesystem::path radici = std::filesystem::path(OD_STANZE).parent_path() / "stanze";
  std::set<std::string> sopra;
  for (const auto& [nome, s] : disegno) {
    const auto b = build.find(nome);
    if (b == build.end()) {
      ADD_FAILURE() << "room " << nome << " is in docs/architettura.md but not in the build";
      continue;
    }
    EXPECT_EQ(elenco(s.usa), elenco(b->second.usa))
        << "room " << nome << ": docs/architettura.md says it uses the first, the build the second";
    EXPECT_TRUE(std::filesystem::is_directory(radici / nome / s.cartella))
        << "room " << nome << ": its include root holds no folder " << s.cartella;
    for (const std::string& usata : s.usa) {
      EXPECT_TRUE(sopra.contains(usata) || usata == librerie_strumenti)
          << "room " << nome << " uses " << usata << ", which docs/architettura.md does not list above it";
    }
    if (!sopra.insert(nome).second) ADD_FAILURE() << "room " << nome << " is twice in docs/architettura.md";
  }
  for (const auto& [nome, s] : build) {
    EXPECT_TRUE(sopra.contains(nome)) << "room " << nome << " is in the build but not in docs/architettura.md";
  }
}

// Whether `nome` reaches the tools' libraries, itself or through a room it uses.
bool con_librerie(const std::map<std::string, stanza>& build, const std::string& nome) {
  if (nome == librerie_strumenti) return true;
  const auto s = build.find(nome);
  if (s == build.end()) return false;
  for (const std::string& usata : s->second.usa) {
    if (con_librerie(build, usata)) return true;
  }
  return false;
}

TEST(Architettura, TheGeneratorsRoomsIncludeNoToolLibrary) {
  const std::map<std::string, stanza> build = stanze_della_build();
  static const std::regex libreria(R"(#\s*include\s*<(CLI|nlohmann|fmt)/)");
  int guardate = 0;
  for (const auto& [nome, s] : stanze_del_disegno()) {
    const std::filesystem::path cartella = std::filesystem::path(OD_SORGENTI) / s.cartella;
    if (con_librerie(build, nome) || !std::filesystem::is_directory(cartella)) continue;  // the test above tells
    for (const auto& voce : std::filesystem::directory_iterator(cartella)) {
      ++guardate;
      EXPECT_FALSE(std::regex_search(leggi(voce.path().string()), libreria))
          << "room " << nome << ": " << voce.path().filename().string() << " includes a tools' library";
    }
  }
  EXPECT_GT(guardate, 0);
}

// The README's "Start here" table: the rows from its header "| What | Where |"
// to the first line that is not a row.
std::vector<std::string> righe_inizia_qui() {
  std::vector<std::string> righe;
  std::istringstream testo(leggi(OD_README));
  bool in_tabella = false;
  for (std::string riga; std::getline(testo, riga);) {
    if (riga.starts_with("| What | Where |")) {
      in_tabella = true;
    } else if (in_tabella && riga.starts_with("|")) {
      righe.push_back(riga);
    } else if (in_tabella) {
      break;
    }
  }
  return righe;
}

// Every path that "Start here" names exists, and every room is named there,
// so a newcomer's first map of the house cannot point at a file that moved.
TEST(Architettura, StartHereNamesEveryRoomAndOnlyPathsThatExist) {
  const std::filesystem::path radice = std::filesystem::path(OD_SORGENTI).parent_path();
  static const std::regex percorso(R"(`((?:src|fuzz|bench|docs)/[^`*]*)`)");
  std::set<std::string> cartelle_nominate;
  const std::vector<std::string> righe = righe_inizia_qui();
  ASSERT_GT(righe.size(), 2U) << "no \"| What | Where |\" table in " << OD_README;
  for (const std::string& riga : righe) {
    for (auto it = std::sregex_iterator(riga.begin(), riga.end(), percorso); it != std::sregex_iterator(); ++it) {
      const std::string nominato = (*it)[1].str();
      EXPECT_TRUE(std::filesystem::exists(radice / nominato)) << "README's Start here names " << nominato;
      if (nominato.starts_with("src/")) {
        const std::filesystem::path p(nominato.substr(4));
        cartelle_nominate.insert((nominato.ends_with("/") ? p : p.parent_path()).generic_string());
      }
    }
  }
  for (const auto& [nome, s] : stanze_del_disegno()) {
    const std::string& cartella = s.cartella;
    const bool nominata = std::ranges::any_of(cartelle_nominate, [&](const std::string& c) {
      return c == cartella || c + "/" == cartella || c == cartella + "/";
    });
    EXPECT_TRUE(nominata) << "room " << nome << " (src/" << cartella << ") is named nowhere in README's Start here";
  }
}

}  // namespace
}  // namespace od
