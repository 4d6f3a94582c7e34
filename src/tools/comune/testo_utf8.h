// The scenario's texts are 8-bit: the description files and the binaries
// hold them byte for byte in the system's code page, while JSON and SVG are
// UTF-8. Every tool turns them into UTF-8 the same way, here.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace od {

// A text that is valid UTF-8 already (a path from the command line, or a
// name that an author wrote in UTF-8) stays as it is; any other text is read
// as Latin-1, one character per byte.
std::string testo_utf8(std::string_view testo);

// `documento` as JSON text (compact with `rientro` -1, else indented by it),
// every string in it turned into UTF-8 as above.
std::string json_utf8(nlohmann::ordered_json documento, int rientro);

}  // namespace od
