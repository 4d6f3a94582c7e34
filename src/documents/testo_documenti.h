// How the documents built from a scenario write the model's values: times to
// the half minute, progressives in kilometres, names in the order's letter
// case, and texts cut to their column with a warning.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "documents/documenti_scenario.h"

namespace od {

// "10.03", or "10.53+" for 10 h 53 min 30 s: to the nearest half minute,
// ties to the even one, the hour within the day.
std::string ora_documento(double secondi);

// Metres as kilometres with three decimals and a point: "13.650", "-0.350".
std::string chilometri(int64_t metri);

// "BORGO TEVANO" as the order writes it, "Borgo Tevano": each word with a
// capital and the rest small, the linking words of a place name ("di",
// "del", ...) small within the name.
std::string come_nome_proprio(std::string_view nome);

// The text, or its first `massimo` characters with a warning that says
// `cosa` was cut.
std::string taglia(std::string_view testo, std::size_t massimo, std::string_view cosa, avvisi_documenti& avvisi);

// A name as `taglia` gives it, but shortened first by the abbreviations of
// timetables (abbreviazioni.h): only a name that still does not fit is cut,
// with the warning.
std::string accorcia(std::string_view nome, std::size_t massimo, std::string_view cosa, avvisi_documenti& avvisi);

}  // namespace od
