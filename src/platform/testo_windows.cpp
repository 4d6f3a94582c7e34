#include "platform/testo_windows.h"

#include <stdexcept>

namespace od {

std::wstring in_utf16(std::string_view testo) {
  if (testo.empty()) return {};
  const int lunghezza = static_cast<int>(testo.size());
  const int quanti = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, testo.data(), lunghezza, nullptr, 0);
  if (quanti <= 0) throw std::runtime_error("testo non in UTF-8: " + std::string(testo));
  std::wstring largo(static_cast<std::size_t>(quanti), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, testo.data(), lunghezza, largo.data(), quanti);
  return largo;
}

std::string in_utf8(std::wstring_view testo) {
  if (testo.empty()) return {};
  const int lunghezza = static_cast<int>(testo.size());
  const int quanti = ::WideCharToMultiByte(CP_UTF8, 0, testo.data(), lunghezza, nullptr, 0, nullptr, nullptr);
  if (quanti <= 0) return {};
  std::string stretto(static_cast<std::size_t>(quanti), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, testo.data(), lunghezza, stretto.data(), quanti, nullptr, nullptr);
  return stretto;
}

std::string descrizione_windows(DWORD codice) {
  wchar_t* buffer = nullptr;
  const DWORD quanti =
      ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, codice, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring testo = quanti > 0 && buffer != nullptr ? std::wstring(buffer, quanti) : std::wstring();
  if (buffer != nullptr) ::LocalFree(buffer);
  // The system ends its messages with a full stop and a line break.
  while (!testo.empty() &&
         (testo.back() == L'\r' || testo.back() == L'\n' || testo.back() == L' ' || testo.back() == L'.')) {
    testo.pop_back();
  }
  std::string descrizione = in_utf8(testo);
  if (descrizione.empty()) descrizione = "errore di sistema";
  return descrizione + " (" + std::to_string(codice) + ")";
}

}  // namespace od
