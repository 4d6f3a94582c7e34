#include "platform/cartella.h"

namespace od {

std::string nome_completo(std::string_view cartella, std::string_view nome) {
  std::string completo(cartella);
  completo += separatore_cartella;
  completo += nome;
  return completo;
}

}  // namespace od
