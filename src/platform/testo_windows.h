// The Windows API speaks UTF-16; the rest of the program keeps its texts and
// paths in UTF-8. These conversions sit at the edge, in the Windows files only.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

namespace od {

// UTF-8 to UTF-16; throws std::runtime_error for bytes that are not UTF-8.
std::wstring in_utf16(std::string_view testo);

// UTF-16 to UTF-8.
std::string in_utf8(std::wstring_view testo);

// The system's own wording of an error code, on one line, with the number.
std::string descrizione_windows(DWORD codice);

}  // namespace od
