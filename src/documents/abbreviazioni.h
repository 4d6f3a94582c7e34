// The abbreviations that timetables use for the common words of place names,
// so that a long name is shortened as a driver is used to reading it ("PONTE
// ARVELLO" as "P.TE ARVELLO") before it is cut.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace od {

// `nome`, with its abbreviable words shortened one at a time from the first,
// until it fits in `massimo` characters or no word is left to shorten. A word
// written in capitals gets its abbreviation in capitals. The result may still
// be longer than `massimo`.
std::string abbrevia(std::string_view nome, std::size_t massimo);

}  // namespace od
