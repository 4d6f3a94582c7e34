// The six files that the generation run leaves in its folder, in name
// order: the tests of the normal run and of its faults check the same set.
#pragma once

#include <string>
#include <vector>

namespace od::test {

inline const std::vector<std::string> sei_file = {
    "Orsella_Drumvane_linea.dat",
    "Orsella_Drumvane_xr40318.dat",
    "Orsella_Drumvane_xr40318.sim",
    "Orsella_Drumvane_xr40318_note.txt",
    "Orsella_Drumvane_xr40318_rallentamenti.txt",
    "Orsella_Drumvane_xr40318_scheda_treno.txt",
};

}  // namespace od::test
